#pragma once

// The practice window: one class for the four exercise windows (target,
// the two variance windows, scrap), told apart by their configuration and
// their exercise. The window reads its level boxes as text, hands them to
// the exercise and shows what comes back: grid rows, messages, the score.
// Loading the window (constructing it) draws the first question.

#include "practice/Exercise.h"
#include "practice/ExerciseWindowConfig.h"
#include "practice/windows/PracticeForm.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QLineEdit;

namespace zeltomir::core {
struct RunTimeState;
}

namespace zeltomir::shell {
class DialogService;
class GridWidget;
} // namespace zeltomir::shell

namespace zeltomir::practice {

struct PracticeRecords;

// What a practice window works with beyond its own controls.
struct PracticeWindowContext {
    shell::DialogService* dialogs = nullptr;
    core::RunTimeState* runTime = nullptr; // ActiveWindow and FocusTarget
    PracticeRecords* records = nullptr;    // the score and the hidden models
    // Runs after the window has written its code into ActiveWindow: the main
    // window switches its commands for that code.
    std::function<void(const QString& activeWindow)> updateCommandAvailability;
};

class PracticeWindow final : public QWidget {
    Q_OBJECT
public:
    // The context's pointers must outlive the window.
    PracticeWindow(ExerciseWindow which, PracticeWindowContext context, QWidget* parent = nullptr);
    ~PracticeWindow() override;

    ExerciseWindow which() const { return m_which; }
    const ExerciseWindowConfig& config() const;
    Exercise& exercise() { return *m_exercise; }
    const PracticeForm& form() const { return m_form; }
    shell::GridWidget* grid() const { return m_form.grid; }

    // The level box of a factor letter; nullptr when the window has none.
    QLineEdit* levelBox(const QString& letter) const;
    // The level box that had the focus last, for the clipboard commands;
    // nullptr before any box had it, or when that box is hidden now.
    QLineEdit* lastFocusedLevelBox() const;
    // The box texts in factor order, A first.
    QStringList levelTexts() const;

    // The commands of the buttons.
    void generateQuestion();
    // False when the limit check refused the levels (nothing was computed).
    bool computeResponse();
    void checkAnswer();
    void viewAnswer();
    void resetStatus();
    void clearSpreadsheet();
    void copyDataToClipboard();

    // The activation handler: writes the window's code into ActiveWindow,
    // then lets the main window switch its commands.
    void activated();

    // After an exercise file replaced the hidden model: shows the boxes,
    // grid columns and statement of the question as it now stands. Data
    // rows are cleared when the columns change, since they would no longer
    // sit under their headers.
    void showCurrentQuestion();
    // Empties the data rows (headers stay), then shows the first row.
    void clearDataRows();
    // Puts the current cell at column 1, row 1 and scrolls the grid to it.
    void showFirstRow();
    void clearLevelBoxes();
    // Gives the focus to the first level box the question shows.
    void focusFirstLevelBox();
    // Shows the kind's counters and percentage.
    void showScore();

signals:
    // The window is closing; it is deleted soon after.
    void closing();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectButtons();
    void watchFocus();
    void fitColumnsToEditedCells();
    // Writes a cell of a new run and widens its column to the text.
    void showCell(int col, int row, const QString& text);
    void applyLayout(const QuestionLayout& layout);
    void rebuildGridColumns(const QStringList& headers);
    int boxIndex(const QObject* object) const;
    void levelBoxFocused(int index);
    bool moveBetweenBoxes(int from, int step);
    void setFocusTarget(const QString& target);

    ExerciseWindow m_which;
    PracticeWindowContext m_context;
    std::unique_ptr<Exercise> m_exercise;
    PracticeForm m_form;
    QPointer<QLineEdit> m_lastLevelBox;
};

} // namespace zeltomir::practice
