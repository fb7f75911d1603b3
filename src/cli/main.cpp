#include "cli/CliRunner.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <iostream>

int main(int argc, char** argv)
{
    // Output uses "." whatever the user's locale; the engine is given the C
    // locale explicitly as well.
    QLocale::setDefault(QLocale::c());
    std::ios_base::sync_with_stdio(false);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return zeltomir::cli::RunCli(arguments, std::cin, std::cout, std::cerr);
}
