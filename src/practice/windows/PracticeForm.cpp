#include "practice/windows/PracticeForm.h"

#include "practice/windows/StatementBox.h"
#include "shell/GridWidget.h"
#include "shell/Twips.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>

namespace zeltomir::practice {
namespace {

// The grid as the form is drawn: a column per factor and "Result", with
// room for a long series of runs. Writing beyond the last row grows it.
constexpr int DesignRows = 100;

// Twips of the level boxes' width, which keeps the factor table compact.
constexpr int LevelBoxWidthTwips = 1300;

QLabel* NamedLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QPushButton* NamedButton(QWidget* parent, const char* name, const char* text)
{
    auto* button = new QPushButton(QString::fromLatin1(text), parent);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

QWidget* BuildFactorTable(QWidget& window, const ExerciseWindowConfig& config, PracticeForm& form)
{
    auto* table = new QWidget(&window);
    auto* grid = new QGridLayout(table);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(NamedLabel(table, QStringLiteral("Label24"), QStringLiteral("Factor Level")), 0, 1);
    grid->addWidget(NamedLabel(table, QStringLiteral("Label25"), QStringLiteral("Lower Limit")), 0, 2);
    grid->addWidget(NamedLabel(table, QStringLiteral("Label26"), QStringLiteral("Upper Limit")), 0, 3);

    const auto& names = FactorControls();
    for (int i = 0; i < config.factorCount && i < static_cast<int>(names.size()); ++i) {
        const FactorControlNames& n = names[static_cast<std::size_t>(i)];
        FactorRow row;
        row.letter = n.letter;
        row.name = NamedLabel(table, n.nameLabel, n.letter);
        row.box = new QLineEdit(table);
        row.box->setObjectName(n.textBox);
        row.box->setFixedWidth(shell::TwipsX(&window, LevelBoxWidthTwips));
        row.lower = NamedLabel(table, n.lowerLabel, config.lowerLimit);
        row.upper = NamedLabel(table, n.upperLabel, config.upperLimit);
        grid->addWidget(row.name, i + 1, 0);
        grid->addWidget(row.box, i + 1, 1);
        grid->addWidget(row.lower, i + 1, 2);
        grid->addWidget(row.upper, i + 1, 3);
        form.factors.push_back(row);
    }
    grid->setRowStretch(config.factorCount + 1, 1);
    grid->setColumnStretch(4, 1); // keeps the columns together on the left
    return table;
}

QWidget* BuildStatusFrame(QWidget& window, PracticeForm& form)
{
    form.statusFrame = new QGroupBox(QStringLiteral("Status"), &window);
    form.statusFrame->setObjectName(QStringLiteral("Frame3"));
    auto* layout = new QGridLayout(form.statusFrame);
    form.resetStatus = NamedButton(form.statusFrame, "Command3", "Reset Status");
    form.correct = NamedLabel(form.statusFrame, QStringLiteral("lblCorrect"), QStringLiteral("0"));
    form.incorrect = NamedLabel(form.statusFrame, QStringLiteral("lblIncorrect"), QStringLiteral("0"));
    form.percentage = NamedLabel(form.statusFrame, QStringLiteral("lblPercentage"), QStringLiteral("0%"));
    layout->addWidget(new QLabel(QStringLiteral("Correct"), form.statusFrame), 0, 0);
    layout->addWidget(form.correct, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Incorrect"), form.statusFrame), 1, 0);
    layout->addWidget(form.incorrect, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("Percentage"), form.statusFrame), 2, 0);
    layout->addWidget(form.percentage, 2, 1);
    layout->addWidget(form.resetStatus, 3, 0, 1, 2);
    return form.statusFrame;
}

// The buttons in two columns beside the factor table: the question's own
// commands, then the score with the commands on the grid's data. One tall
// column would take the rows from the grid below.
QWidget* BuildButtons(QWidget& window, PracticeForm& form)
{
    auto* buttons = new QWidget(&window);
    auto* question = new QVBoxLayout;
    form.generateQuestion = NamedButton(buttons, "Command1", "Generate Question");
    form.computeResponse = NamedButton(buttons, "btnComputeResponse", "Compute Response");
    form.checkAnswer = NamedButton(buttons, "Command2", "Check Answer");
    form.viewAnswer = NamedButton(buttons, "Command4", "View Answer");
    question->addWidget(form.generateQuestion);
    question->addWidget(form.computeResponse);
    question->addWidget(form.checkAnswer);
    question->addWidget(form.viewAnswer);
    question->addStretch(1);

    // Built in this order, the Tab key goes down the first column and then
    // the second.
    auto* scoreAndData = new QVBoxLayout;
    scoreAndData->addWidget(BuildStatusFrame(*buttons, form));
    form.clearSpreadsheet = NamedButton(buttons, "Command5", "Clear Spreadsheet");
    form.copyData = NamedButton(buttons, "Command3ddd", "Copy Data to Clipboard");
    scoreAndData->addWidget(form.clearSpreadsheet);
    scoreAndData->addWidget(form.copyData);
    scoreAndData->addStretch(1);

    // Both columns as wide as the widest caption needs, so they line up.
    QPushButton* const all[] = {form.generateQuestion, form.computeResponse, form.checkAnswer,
                                form.viewAnswer,       form.clearSpreadsheet, form.copyData};
    int width = 0;
    for (const QPushButton* button : all)
        width = std::max(width, button->sizeHint().width());
    for (QPushButton* button : all)
        button->setMinimumWidth(width);

    auto* layout = new QHBoxLayout(buttons);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(question);
    layout->addLayout(scoreAndData);
    return buttons;
}

void BuildGrid(QWidget& window, const ExerciseWindowConfig& config, PracticeForm& form)
{
    form.grid = new shell::GridWidget(&window);
    form.grid->setObjectName(QStringLiteral("ss"));
    form.grid->setMaxCols(config.factorCount + 1);
    form.grid->setMaxRows(DesignRows);
    for (int i = 0; i < config.factorCount; ++i)
        form.grid->setCell(i + 1, 0, FactorControls()[static_cast<std::size_t>(i)].letter);
    form.grid->setCell(config.factorCount + 1, 0, QStringLiteral("Result"));
}

} // namespace

const FactorRow* PracticeForm::row(const QString& letter) const
{
    for (const FactorRow& r : factors) {
        if (r.letter == letter)
            return &r;
    }
    return nullptr;
}

PracticeForm BuildPracticeForm(QWidget& window, const ExerciseWindowConfig& config)
{
    PracticeForm form;
    window.setObjectName(config.objectName);
    window.setWindowTitle(config.caption);

    form.questionFrame = new QGroupBox(QStringLiteral("Question"), &window);
    form.questionFrame->setObjectName(QStringLiteral("Frame1"));
    auto* questionLayout = new QVBoxLayout(form.questionFrame);
    form.statement = new StatementBox(form.questionFrame);
    form.statement->setObjectName(QStringLiteral("Text_pbl"));
    // The learner reads the statement; it is not an input. A click still
    // lets the learner select and copy from it, but the window's first
    // focus and the Tab key go to the level boxes.
    form.statement->setReadOnly(true);
    form.statement->setFocusPolicy(Qt::ClickFocus);
    form.statement->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetStatementText(*form.statement, config.initialStatement);
    questionLayout->addWidget(form.statement);

    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildFactorTable(window, config, form), 1);
    middle->addWidget(BuildButtons(window, form));

    BuildGrid(window, config, form);

    // The question, the factors and the buttons keep the height they need;
    // the rest goes to the grid of runs.
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(form.questionFrame, 0);
    layout->addLayout(middle, 0);
    layout->addWidget(form.grid, 1);
    return form;
}

void SetStatementText(QPlainTextEdit& box, const QString& text)
{
    QString shown = text;
    // A line that ends in a blank was broken where the original box was
    // full; this box has its own width and wraps the text itself.
    shown.replace(QStringLiteral(" \r\n"), QStringLiteral(" "));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // A break after the last line would only add an empty line to the
    // height the statement takes from the grid.
    if (shown.endsWith(QLatin1Char('\n')))
        shown.chop(1);
    box.setPlainText(shown);
}

int NeighbourBox(const std::vector<bool>& shown, int from, int step)
{
    if (step == 0)
        return from;
    const int count = static_cast<int>(shown.size());
    for (int i = from + step; i >= 0 && i < count; i += step) {
        if (shown[static_cast<std::size_t>(i)])
            return i;
    }
    return from;
}

} // namespace zeltomir::practice
