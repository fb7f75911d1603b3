// The least a Qt program of Zeltomir's shape does before its first window
// shows: a main window around an MDI area, shown as Zeltomir shows its own.
// scripts/startup-ratio times Zeltomir's start-up against this one.

#include <QApplication>
#include <QMainWindow>
#include <QMdiArea>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QMdiArea);
    window.setWindowTitle(QStringLiteral("Floor"));
    window.showMaximized();
    return application.exec();
}
