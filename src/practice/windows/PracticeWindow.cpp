#include "practice/windows/PracticeWindow.h"

#include "core/ProblemRecord.h"
#include "core/Random.h"
#include "practice/PracticeRecords.h"
#include "practice/PracticeScore.h"
#include "shell/DialogService.h"
#include "shell/GridWidget.h"
#include "shell/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zeltomir::practice {
namespace {

const QString FocusOnGrid = QStringLiteral("ss");
const QString FocusOnText = QStringLiteral("text");

// The hourglass while a response is computed. Restored on every way out,
// an exception included, so the pointer never stays busy.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

shell::MessageAnswer AskYesNo(shell::DialogService& dialogs, const core::Message& question)
{
    return dialogs.message(question.title, question.text, question.icon, shell::MessageButtons::YesNo,
                           shell::MessageAnswer::No);
}

QStringList HeaderRow(const shell::GridWidget& grid)
{
    QStringList headers;
    for (int col = 1; col <= grid.maxCols(); ++col)
        headers.append(grid.cell(col, 0));
    return headers;
}

// The last row holding any text, 0 when only the headers are filled.
int LastUsedRow(const shell::GridWidget& grid)
{
    for (int row = grid.maxRows(); row >= 1; --row) {
        for (int col = 1; col <= grid.maxCols(); ++col) {
            if (!grid.cell(col, row).isEmpty())
                return row;
        }
    }
    return 0;
}

} // namespace

PracticeWindow::PracticeWindow(ExerciseWindow which, PracticeWindowContext context, QWidget* parent)
    : QWidget(parent)
    , m_which(which)
    , m_context(std::move(context))
    , m_exercise(MakeExercise(which, *m_context.records))
    , m_form(BuildPracticeForm(*this, WindowConfig(which)))
{
    Q_ASSERT(m_context.dialogs && m_context.runTime && m_context.records);
    resize(shell::TwipsSize(this, config().widthTwips, config().heightTwips));
    connectButtons();
    watchFocus();
    fitColumnsToEditedCells();

    // Window load: a question of the kind's level with its answer (the
    // variance windows also simulate a run, whose row is not kept), then
    // the score so far, which outlives the window.
    applyLayout(m_exercise->newQuestion(core::ProgramRandom()));
    clearDataRows();
    showScore();
}

PracticeWindow::~PracticeWindow() = default;

const ExerciseWindowConfig& PracticeWindow::config() const
{
    return WindowConfig(m_which);
}

QLineEdit* PracticeWindow::levelBox(const QString& letter) const
{
    const FactorRow* row = m_form.row(letter);
    return row ? row->box : nullptr;
}

QLineEdit* PracticeWindow::lastFocusedLevelBox() const
{
    // A box hidden since it had the focus is no place for a paste.
    return m_lastLevelBox && !m_lastLevelBox->isHidden() ? m_lastLevelBox.data() : nullptr;
}

QStringList PracticeWindow::levelTexts() const
{
    QStringList texts;
    for (const FactorRow& row : m_form.factors)
        texts.append(row.box->text());
    return texts;
}

void PracticeWindow::connectButtons()
{
    connect(m_form.generateQuestion, &QPushButton::clicked, this, [this] { generateQuestion(); });
    connect(m_form.computeResponse, &QPushButton::clicked, this, [this] { computeResponse(); });
    connect(m_form.checkAnswer, &QPushButton::clicked, this, [this] { checkAnswer(); });
    connect(m_form.viewAnswer, &QPushButton::clicked, this, [this] { viewAnswer(); });
    connect(m_form.resetStatus, &QPushButton::clicked, this, [this] { resetStatus(); });
    connect(m_form.clearSpreadsheet, &QPushButton::clicked, this, [this] { clearSpreadsheet(); });
    connect(m_form.copyData, &QPushButton::clicked, this, [this] { copyDataToClipboard(); });
}

void PracticeWindow::watchFocus()
{
    for (const FactorRow& row : m_form.factors)
        row.box->installEventFilter(this);
    connect(m_form.grid, &shell::GridWidget::focusGained, this, [this] { setFocusTarget(FocusOnGrid); });
}

void PracticeWindow::fitColumnsToEditedCells()
{
    // What the learner types or pastes into the grid shows whole too.
    connect(m_form.grid, &shell::GridWidget::cellEdited, this,
            [this](int col, int row) { m_form.grid->widenColumnToText(col, m_form.grid->cell(col, row)); });
}

void PracticeWindow::showCell(int col, int row, const QString& text)
{
    // A response far from the optimum runs to many digits; the column
    // widens rather than cut the number short.
    m_form.grid->setCell(col, row, text);
    m_form.grid->widenColumnToText(col, text);
}

void PracticeWindow::generateQuestion()
{
    const QuestionLayout layout = m_exercise->newQuestion(core::ProgramRandom());
    clearLevelBoxes();
    applyLayout(layout);
    clearDataRows();
    m_context.dialogs->show(GenerateQuestionNotice());
}

bool PracticeWindow::computeResponse()
{
    std::optional<LimitFailure> failure;
    {
        const WaitCursor hourglass;
        const ResponseOutcome outcome = m_exercise->computeResponse(levelTexts(), core::ProgramRandom());
        failure = outcome.limitFailure;
        if (!failure) {
            // Row 0 holds the headers, so the first free row is a data row.
            const int row = m_form.grid->firstEmptyRow(1);
            for (int i = 0; i < outcome.rowCells.size(); ++i)
                showCell(i + 1, row, outcome.rowCells.at(i));
            // The learner sees the new run even when the rows above fill
            // the grid; a selection made for Copy stays as it is.
            if (!outcome.rowCells.isEmpty())
                m_form.grid->scrollToRow(row);
        }
    }
    if (!failure)
        return true;
    m_context.dialogs->show(failure->message);
    const auto index = static_cast<std::size_t>(failure->factor);
    if (index < m_form.factors.size() && !m_form.factors[index].box->isHidden())
        m_form.factors[index].box->setFocus(Qt::OtherFocusReason);
    return false;
}

void PracticeWindow::checkAnswer()
{
    m_context.dialogs->show(m_exercise->checkAnswer(levelTexts()));
    showScore();
}

void PracticeWindow::viewAnswer()
{
    m_context.dialogs->show(m_exercise->viewAnswer());
}

void PracticeWindow::resetStatus()
{
    if (AskYesNo(*m_context.dialogs, ResetStatusQuestion()) != shell::MessageAnswer::Yes)
        return;
    ResetStatus(m_exercise->record());
    showScore();
}

void PracticeWindow::clearSpreadsheet()
{
    if (AskYesNo(*m_context.dialogs, ClearSpreadsheetQuestion()) == shell::MessageAnswer::Yes)
        clearDataRows();
}

void PracticeWindow::copyDataToClipboard()
{
    // The headers and every row up to the last one with data; the empty
    // rows below would only pad the statistics package's sheet.
    shell::GridWidget& grid = *m_form.grid;
    grid.copyBlock({1, 0, grid.maxCols(), LastUsedRow(grid)});
}

void PracticeWindow::activated()
{
    m_context.runTime->ActiveWindow = config().activeWindowCode;
    if (m_context.updateCommandAvailability)
        m_context.updateCommandAvailability(m_context.runTime->ActiveWindow);
}

void PracticeWindow::showCurrentQuestion()
{
    const QStringList headersBefore = HeaderRow(*m_form.grid);
    const QuestionLayout layout = m_exercise->layout();
    applyLayout(layout);
    if (headersBefore != layout.gridHeaders)
        clearDataRows();
}

void PracticeWindow::clearDataRows()
{
    shell::GridWidget& grid = *m_form.grid;
    grid.clearBlock({1, 1, grid.maxCols(), grid.maxRows()});
    showFirstRow();
}

void PracticeWindow::showFirstRow()
{
    // The current cell alone moves the view only when it changes, and it is
    // often at row 1 already while the view shows the last runs below.
    m_form.grid->setCurrentCell(1, 1);
    m_form.grid->scrollToRow(1);
}

void PracticeWindow::clearLevelBoxes()
{
    for (const FactorRow& row : m_form.factors)
        row.box->clear();
}

void PracticeWindow::focusFirstLevelBox()
{
    for (const FactorRow& row : m_form.factors) {
        if (!row.box->isHidden()) {
            row.box->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void PracticeWindow::showScore()
{
    const PracticeProblem& record = m_exercise->record();
    m_form.correct->setText(QString::number(record.CorrectCount));
    m_form.incorrect->setText(QString::number(record.IncorrectCount));
    m_form.percentage->setText(m_exercise->scoreText());
}

void PracticeWindow::applyLayout(const QuestionLayout& layout)
{
    for (const FactorRow& row : m_form.factors) {
        const bool shown = layout.shownFactors.contains(row.letter);
        // The limit check reads hidden boxes too, and a hidden box cannot be
        // corrected, so a box leaves the view empty.
        if (!shown)
            row.box->clear();
        row.box->setHidden(!shown);
        row.name->setHidden(!shown);
        row.lower->setHidden(!shown);
        row.upper->setHidden(!shown);
    }
    rebuildGridColumns(layout.gridHeaders);
    SetStatementText(*m_form.statement, layout.problemText);
}

void PracticeWindow::rebuildGridColumns(const QStringList& headers)
{
    // Factor columns take the width column 1 had, "Result" the width of the
    // former last column.
    shell::GridWidget& grid = *m_form.grid;
    const int factorWidth = grid.colWidth(1);
    const int resultWidth = grid.colWidth(grid.maxCols());
    const int cols = static_cast<int>(headers.size());
    grid.setMaxCols(cols);
    for (int col = 1; col <= cols; ++col) {
        grid.setCell(col, 0, headers.at(col - 1));
        grid.setColWidth(col, col < cols ? factorWidth : resultWidth);
    }
}

int PracticeWindow::boxIndex(const QObject* object) const
{
    for (std::size_t i = 0; i < m_form.factors.size(); ++i) {
        if (m_form.factors[i].box == object)
            return static_cast<int>(i);
    }
    return -1;
}

bool PracticeWindow::eventFilter(QObject* watched, QEvent* event)
{
    const int index = boxIndex(watched);
    if (index < 0)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        levelBoxFocused(index);
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down)
            return moveBetweenBoxes(index, +1);
        if (key == Qt::Key_Up)
            return moveBetweenBoxes(index, -1);
    }
    return QWidget::eventFilter(watched, event);
}

void PracticeWindow::levelBoxFocused(int index)
{
    QLineEdit* box = m_form.factors[static_cast<std::size_t>(index)].box;
    box->setSelection(0, static_cast<int>(box->text().size()));
    m_lastLevelBox = box;
    setFocusTarget(FocusOnText);
}

bool PracticeWindow::moveBetweenBoxes(int from, int step)
{
    // Hidden boxes are skipped: the focus never goes to a box the learner
    // cannot see. Without a shown neighbour the focus stays.
    std::vector<bool> shown;
    for (const FactorRow& row : m_form.factors)
        shown.push_back(!row.box->isHidden());
    const int to = NeighbourBox(shown, from, step);
    if (to != from)
        m_form.factors[static_cast<std::size_t>(to)].box->setFocus(Qt::OtherFocusReason);
    return true;
}

void PracticeWindow::setFocusTarget(const QString& target)
{
    if (config().setsFocusTarget)
        m_context.runTime->FocusTarget = target;
}

void PracticeWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    QWidget::closeEvent(event);
}

} // namespace zeltomir::practice
