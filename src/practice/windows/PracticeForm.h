#pragma once

// The controls of a practice window and where they sit. The four practice
// windows share one design; the window's configuration decides the caption,
// whether factor G (Text1 and its labels) exists and the limit captions.
// Building the form sets every control's object name, so the clipboard
// routing and the tests find the controls by the names the program uses.

#include "practice/ExerciseWindowConfig.h"

#include <QString>

#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace zeltomir::shell {
class GridWidget;
}

namespace zeltomir::practice {

// One factor's level box with its name and limit labels.
struct FactorRow {
    QString letter;
    QLineEdit* box = nullptr;
    QLabel* name = nullptr;
    QLabel* lower = nullptr;
    QLabel* upper = nullptr;
};

struct PracticeForm {
    std::vector<FactorRow> factors; // A first; the variance windows end with G

    QGroupBox* questionFrame = nullptr; // Frame1 "Question"
    QPlainTextEdit* statement = nullptr; // Text_pbl, a StatementBox as high as its text

    QPushButton* generateQuestion = nullptr; // Command1
    QPushButton* computeResponse = nullptr;  // btnComputeResponse
    QPushButton* checkAnswer = nullptr;      // Command2
    QPushButton* viewAnswer = nullptr;       // Command4
    QPushButton* clearSpreadsheet = nullptr; // Command5
    QPushButton* copyData = nullptr;         // Command3ddd

    QGroupBox* statusFrame = nullptr; // Frame3 "Status"
    QPushButton* resetStatus = nullptr; // Command3
    QLabel* correct = nullptr;          // lblCorrect
    QLabel* incorrect = nullptr;        // lblIncorrect
    QLabel* percentage = nullptr;       // lblPercentage

    shell::GridWidget* grid = nullptr; // ss

    // The row of a factor letter, or nullptr when the window has no such factor.
    const FactorRow* row(const QString& letter) const;
};

// Builds the controls into `window` (which takes ownership) with a layout.
PracticeForm BuildPracticeForm(QWidget& window, const ExerciseWindowConfig& config);

// Shows a problem statement. The statements end their lines with CR LF;
// a line ending in a blank flows on into the next one (the box wraps it),
// any other line break shows as one, except one that ends the text.
void SetStatementText(QPlainTextEdit& box, const QString& text);

// Where Down (step +1) or Up (step -1) moves from box `from` when only the
// boxes marked shown may take the focus: the nearest shown box in that
// direction, or `from` itself when there is none.
int NeighbourBox(const std::vector<bool>& shown, int from, int step);

} // namespace zeltomir::practice
