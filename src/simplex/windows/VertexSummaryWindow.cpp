#include "simplex/windows/VertexSummaryWindow.h"

#include "simplex/CorrectResult.h"
#include "simplex/VertexView.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"
#include "simplex/windows/WindowSupport.h"

#include "core/NumberText.h"
#include "core/ProblemRecord.h"
#include "shell/DialogService.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"
#include "shell/Twips.h"

#include <QFontMetrics>
#include <QMdiSubWindow>
#include <QResizeEvent>

#include <algorithm>

namespace zeltomir::simplex {

namespace {

constexpr int GridMarginTwips = 50;

} // namespace

VertexSummaryWindow::VertexSummaryWindow(SimplexWindows& windows, QWidget* parent)
    : SimplexChildWindow(windows, QStringLiteral("frmProgress"), QStringLiteral("Vertex Summary"), parent)
{
    m_grid = new shell::GridWidget(this);
    m_grid->setObjectName(QStringLiteral("ss"));
    m_grid->setReadOnly(true);
    m_grid->setFollowsEnd(true);
    // The width a column gets when it is made, before any rule widens it.
    m_grid->setMaxCols(1);
    m_baseColumnWidth = m_grid->colWidth(1);
    m_longest = LongestColumnTexts([this](QStringView text) { return textAdvance(text); });
    connect(m_grid, &shell::GridWidget::selectionChanged, this, &VertexSummaryWindow::selectionChanged);
    connect(m_grid, &shell::GridWidget::cellDoubleClicked, this, &VertexSummaryWindow::cellDoubleClicked);
}

// Summed advances of the characters in the grid's font: what decides which
// of two numbers is wider ("-41.13" has a narrow minus sign where "0.1" has a
// digit) at a fraction of the cost of laying each one out.
qsizetype VertexSummaryWindow::textAdvance(QStringView text) const
{
    qsizetype width = 0;
    for (const QChar c : text)
        width += c.unicode() < m_advances.size() ? m_advances[c.unicode()]
                                                 : QFontMetrics(m_advanceFont).horizontalAdvance(c);
    return width;
}

void VertexSummaryWindow::measureCharacters()
{
    m_advanceFont = m_grid->font();
    m_advancesMeasured = true;
    const QFontMetrics metrics(m_advanceFont);
    for (std::size_t code = 0; code < m_advances.size(); ++code)
        m_advances[code] = metrics.horizontalAdvance(QChar(static_cast<char16_t>(code)));
}

void VertexSummaryWindow::activated()
{
    refresh();
}

void VertexSummaryWindow::refresh()
{
    context().runTime.ActiveWindow = QStringLiteral("frmProgress");
    UpdateCommandAvailability(context());
    context().mainWindow.setPrintButtonEnabled(true);
    context().mainWindow.setCorrectResultEnabled(selectedVertex().has_value());
    if (!m_advancesMeasured || m_grid->font() != m_advanceFont) {
        measureCharacters();
        m_tracker.forget(); // the widest texts are measured again
    }
    if (std::optional<VertexSummaryUpdate> update = m_tracker.update(context().problem)) {
        write(*update);
        m_longest.follow(*update, m_grid->maxCols(), [this](int col, int row) { return m_grid->cellView(col, row); });
        fitColumns();
        // The newest vertex is the one a user looks for, unless the user has
        // scrolled up to older ones. The grid follows the end by itself once
        // the event loop lays the new rows out; this shows them at once.
        if (update->whole || m_grid->atEnd())
            m_grid->scrollToEnd();
    }
}

void VertexSummaryWindow::rebuild()
{
    m_tracker.forget();
    refresh();
}

std::optional<int> VertexSummaryWindow::selectedVertex() const
{
    if (!m_grid->hasSelection())
        return std::nullopt;
    const shell::GridBlock block = m_grid->selectedBlock();
    if (block.row != block.row2 || block.row < 1 || block.row > m_grid->maxRows())
        return std::nullopt;
    return block.row;
}

// Only while this window is the active one: the command follows the window
// in front.
void VertexSummaryWindow::selectionChanged()
{
    if (context().runTime.ActiveWindow == QLatin1String("frmProgress"))
        context().mainWindow.setCorrectResultEnabled(selectedVertex().has_value());
}

void VertexSummaryWindow::cellDoubleClicked(int col, int row)
{
    if (row < 1 || row > m_grid->maxRows())
        return;
    // The Result column comes before Type and Times Retained, and the
    // responses, where there are any, before the Result.
    const int resultCol = m_grid->maxCols() - 2;
    const int responses = static_cast<int>(context().problem.Responses.size());
    if (col == resultCol)
        correctResult(row);
    else if (col < resultCol && col >= resultCol - responses)
        correctResult(row, responses - (resultCol - col) + 1);
}

void VertexSummaryWindow::correctResult(int vertex, int response)
{
    const core::OptimizationProblem& problem = context().problem;
    // Nothing is asked for a value that could not be taken.
    if (const std::optional<core::Message> refusal = CorrectionRefusal(problem, vertex)) {
        context().dialogs.show(*refusal);
        return;
    }
    if (!problem.Responses.empty()) {
        const std::optional<int> chosen = response > 0 ? std::optional<int>(response) : chooseResponse(vertex);
        if (chosen)
            correctResponse(vertex, *chosen);
        return;
    }
    // The box opens on the result as the user typed it; a failed trial has none.
    QString shown;
    if (vertex >= 1 && vertex <= problem.NumVertices && !Vertex(problem, vertex).failed())
        shown = core::ShortestSingleForm(Vertex(problem, vertex).result());
    const std::optional<QString> typed = context().dialogs.askText(
        {QStringLiteral("Correct Result"), QStringLiteral("The result of vertex %1:").arg(vertex), shown});
    if (!typed)
        return;
    showCorrection(CorrectResult(context().problem, context().runTime, vertex, *typed, WindowHooks(context())));
}

// The responses of the vertex with their values, the first chosen; nullopt
// when the user cancels.
std::optional<int> VertexSummaryWindow::chooseResponse(int vertex)
{
    const core::OptimizationProblem& problem = context().problem;
    shell::ChoiceRequest request{QStringLiteral("Correct Result"),
                                 QStringLiteral("Which response of vertex %1 is to be corrected?").arg(vertex),
                                 {QStringLiteral("Response"), QStringLiteral("Result")},
                                 {},
                                 0};
    for (int i = 1; i <= static_cast<int>(problem.Responses.size()); ++i)
        request.rows.push_back({problem.Responses[static_cast<std::size_t>(i - 1)].name,
                                core::ShortestSingleForm(problem.VertexResponses.value(i, vertex))});
    const std::optional<int> chosen = context().dialogs.chooseOne(request);
    return chosen ? std::optional<int>(*chosen + 1) : std::nullopt;
}

void VertexSummaryWindow::correctResponse(int vertex, int response)
{
    const core::OptimizationProblem& problem = context().problem;
    const QString shown = core::ShortestSingleForm(problem.VertexResponses.value(response, vertex));
    const QString& name = problem.Responses.at(static_cast<std::size_t>(response - 1)).name;
    const std::optional<QString> typed = context().dialogs.askText(
        {QStringLiteral("Correct Result"), QStringLiteral("The result of %1 at vertex %2:").arg(name).arg(vertex),
         shown});
    if (!typed)
        return;
    showCorrection(
        CorrectResponse(context().problem, context().runTime, vertex, response, *typed, WindowHooks(context())));
}

void VertexSummaryWindow::showCorrection(const StepsOutcome& answer)
{
    ShowMessages(context().dialogs, answer.outcome.messages);
    if (!answer.outcome.ok)
        return;
    refresh();
    windows().refreshPlot();
    if (answer.steps) {
        if (StepsWindow* steps = windows().stepsWindow())
            steps->showSteps(*answer.steps);
    }
    windows().putFocus(answer.outcome.focus);
}

// The new rows are moved into the grid, not copied: a whole table is a
// million cells.
void VertexSummaryWindow::write(VertexSummaryUpdate& update)
{
    if (update.whole) {
        const int columns = static_cast<int>(update.headers.size());
        m_grid->setMaxCols(columns);
        m_grid->setMaxRows(update.rows);
        for (int col = 1; col <= columns; ++col)
            m_grid->setCell(col, 0, update.headers.at(col - 1));
    } else {
        m_grid->setMaxRows(update.rows);
    }
    for (const VertexSummaryCell& cell : update.changedCells)
        m_grid->setCell(cell.col, cell.vertex, cell.text);
    std::vector<core::TextRow> rows;
    rows.reserve(update.newRows.size());
    int row = update.firstNewVertex;
    for (VertexSummaryRow& vertex : update.newRows) {
        // An unknown type code leaves the cell as it was.
        if (!vertex.typeKnown) {
            const qsizetype typeCell = vertex.typeIndex();
            vertex.cells.set(typeCell, m_grid->cell(static_cast<int>(typeCell) + 1, row));
        }
        rows.push_back(std::move(vertex.cells));
        ++row;
    }
    update.newRows.clear();
    m_grid->setRows(update.firstNewVertex, std::move(rows));
}

// The "Vertex" header or the widest vertex number, whichever is wider.
int VertexSummaryWindow::vertexColumnWidth() const
{
    const int widest = m_longest.row(1);
    return std::max(m_grid->headerTextWidth(1), widest > 0 ? m_grid->cellTextWidth(m_grid->cell(1, widest)) : 0);
}

// "Times Retained" gets twice the width of a new column, so its header fits.
// It is set, not doubled on every activation, which would widen the column
// without end. No column is narrower than the vertex numbers need, and none
// is narrower than its header and its longest text: results carry up to 15
// digits and factor names can be long. Other columns are only ever widened.
void VertexSummaryWindow::fitColumns()
{
    const int columns = m_grid->maxCols();
    if (columns < 1)
        return;
    m_grid->setColWidth(columns, 2 * m_baseColumnWidth);
    const int vertexWidth = vertexColumnWidth();
    for (int col = 1; col <= columns; ++col) {
        const int needed = std::max(vertexWidth, m_grid->headerTextWidth(col));
        if (needed > m_grid->colWidth(col))
            m_grid->setColWidth(col, needed);
        if (const int widest = m_longest.row(col); widest > 0)
            m_grid->widenColumnToText(col, m_grid->cell(col, widest));
    }
}

void VertexSummaryWindow::resizeEvent(QResizeEvent* event)
{
    SimplexChildWindow::resizeEvent(event);
    if (subWindow() && subWindow()->isMinimized())
        return;
    const int marginX = shell::TwipsX(this, GridMarginTwips);
    const int marginY = shell::TwipsY(this, GridMarginTwips);
    m_grid->setGeometry(marginX, marginY, std::max(0, event->size().width() - 2 * marginX),
                        std::max(0, event->size().height() - 2 * marginY));
}

} // namespace zeltomir::simplex
