#pragma once

// What the window benchmarks share: the application they need, made on first
// use on the offscreen platform (the executable also holds widget-free
// benchmarks), and a dialog service that answers every box at once.

#include "simplex/windows/SimplexWindows.h"

#include "core/ProblemRecord.h"
#include "core/SnapshotFiles.h"
#include "shell/DialogService.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

namespace zeltomir::bench {

inline void EnsureApplication()
{
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zeltomir_bench";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit, static destruction would take Qt's own
    // globals down before it.
    new QApplication(argc, argv);
    QLocale::setDefault(QLocale::c());
}

class SilentDialogs final : public shell::DialogService {
public:
    shell::MessageAnswer message(const shell::MessageRequest&) override { return shell::MessageAnswer::Ok; }
    std::optional<QString> openFileName(const QStringList&, int) override { return std::nullopt; }
    std::optional<QString> saveFileName(const QStringList&, int) override { return std::nullopt; }
    std::optional<QString> askText(const shell::TextRequest&) override { return std::nullopt; }
};

// The simplex windows in a shown main window of a fixed size, around a
// record the benchmark fills.
struct WindowsFixture {
    WindowsFixture()
        : snapshots(folder.path()), mainWindow(dialogs, runTime),
          windows(simplex::SimplexWindowContext{problem, runTime, snapshots, dialogs, mainWindow})
    {
        mainWindow.resize(1280, 960);
        mainWindow.show();
    }

    QTemporaryDir folder;
    SilentDialogs dialogs;
    core::OptimizationProblem problem;
    core::RunTimeState runTime;
    core::SnapshotFiles snapshots;
    shell::MainWindow mainWindow;
    simplex::SimplexWindows windows;
};

} // namespace zeltomir::bench
