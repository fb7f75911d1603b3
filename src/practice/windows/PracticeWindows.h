#pragma once

// The practice windows inside the main window: loading them on demand,
// the Practice menu, activation, and the few operations that the file and
// clipboard commands use on them. At most one window of each of the four
// designs is loaded at a time; a window referred to while it is not loaded
// is loaded by the reference (its load step draws a question).

#include "practice/ExerciseFiles.h"
#include "practice/ExerciseWindowConfig.h"
#include "shell/CommandHandlers.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <array>
#include <optional>

class QMdiSubWindow;

namespace zeltomir::core {
struct RunTimeState;
}

namespace zeltomir::shell {
class MainWindow;
}

namespace zeltomir::practice {

class PracticeWindow;
struct PracticeRecords;

class PracticeWindows final : public QObject {
    Q_OBJECT
public:
    // All three must outlive this object.
    PracticeWindows(shell::MainWindow& mainWindow, core::RunTimeState& runTime, PracticeRecords& records);
    ~PracticeWindows() override;

    // Makes the main window's Practice menu items run openPractice.
    void installPracticeMenu();

    // A Practice menu item: closes the kind's window if it is open, sets the
    // kind's level ("simple" or "all"), then opens the window anew. The
    // kind's record (score, model) outlives the window.
    PracticeWindow* openPractice(shell::PracticeKind kind, const QString& level);

    // The window when it is loaded, else nullptr.
    PracticeWindow* window(ExerciseWindow which) const;
    QMdiSubWindow* subWindow(ExerciseWindow which) const;
    // Loads the window into the main window if it is not loaded, without
    // showing it.
    PracticeWindow* load(ExerciseWindow which);
    // Loads the window if needed, shows it and makes it the active child.
    PracticeWindow* show(ExerciseWindow which);
    void close(ExerciseWindow which);

    // The window an ActiveWindow code names: "TOO" the target window, "VO"
    // the menu's variance window (also while the older one is active), "TO5"
    // the scrap window; nullopt for any other code.
    static std::optional<ExerciseWindow> WindowForActiveCode(const QString& activeWindow);
    // That window, loaded by the reference if needed; nullptr for other codes.
    PracticeWindow* windowForActiveCode(const QString& activeWindow);

    // Opening a target exercise file: the target window is loaded (it draws
    // its own question first), the file's model replaces the question, the
    // window shows it with the current row back at 1 and its first row in
    // view, and is shown.
    PracticeWindow* openTargetExercise(const TargetFileContents& contents);
    // Opening a variance exercise file: the older variance window is loaded,
    // its boxes emptied, the file's model applied, one Compute Response run
    // and its grid rows cleared; then it is shown.
    PracticeWindow* openVarianceExercise(const VarianceFileContents& contents);

private:
    PracticeWindow* create(ExerciseWindow which);
    void subWindowActivated(QMdiSubWindow* subWindow);
    void forget(ExerciseWindow which);

    static constexpr std::size_t WindowCount = 4;
    struct Slot {
        QPointer<PracticeWindow> window;
        QPointer<QMdiSubWindow> subWindow;
    };
    Slot& slot(ExerciseWindow which);
    const Slot& slot(ExerciseWindow which) const;

    shell::MainWindow& m_mainWindow;
    core::RunTimeState& m_runTime;
    PracticeRecords& m_records;
    std::array<Slot, WindowCount> m_slots;
    // The practice window activated last, while it stays loaded.
    std::optional<ExerciseWindow> m_lastActivated;
};

} // namespace zeltomir::practice
