#include "app/Program.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    zeltomir::app::SetApplicationIdentity();
    zeltomir::app::Program program;
    program.start();
    return QApplication::exec();
}
