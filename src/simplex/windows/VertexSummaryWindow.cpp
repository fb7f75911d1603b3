#include "simplex/windows/VertexSummaryWindow.h"

#include "simplex/EngineSupport.h"
#include "simplex/VertexSummary.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/WindowSupport.h"

#include "core/ProblemRecord.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"
#include "shell/Twips.h"

#include <QLocale>
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
    // The width a column gets when it is made, before any rule widens it.
    m_grid->setMaxCols(1);
    m_baseColumnWidth = m_grid->colWidth(1);
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
    TableSource source = SourceOf(context().problem);
    if (m_filledFrom == source)
        return;
    fillTable();
    m_filledFrom = std::move(source);
}

VertexSummaryWindow::TableSource VertexSummaryWindow::SourceOf(const core::OptimizationProblem& problem)
{
    TableSource source;
    const int k = std::max(0, static_cast<int>(problem.NumFactors));
    source.vertices = std::max(0, static_cast<int>(problem.NumVertices));
    for (int i = 1; i <= k; ++i)
        source.factors.push_back(FactorOf(problem, i));
    source.history.reserve(static_cast<std::size_t>(k + 3) * static_cast<std::size_t>(source.vertices));
    for (int v = 1; v <= source.vertices; ++v) {
        for (int c = 1; c <= k + 3; ++c)
            source.history.push_back(problem.VertexHistory.value(c, v));
    }
    source.locale = QLocale().name();
    return source;
}

void VertexSummaryWindow::fillTable()
{
    const VertexSummaryContent content = BuildVertexSummary(context().problem);
    const int columns = static_cast<int>(content.headers.size());
    const int levelColumns = columns - 4;
    m_grid->setMaxCols(columns);
    m_grid->setMaxRows(static_cast<int>(content.rows.size()));
    for (int col = 1; col <= columns; ++col)
        m_grid->setCell(col, 0, content.headers.at(col - 1));
    int row = 0;
    for (const VertexSummaryRow& vertex : content.rows) {
        ++row;
        int col = 1;
        m_grid->setCell(col++, row, vertex.vertex);
        for (const QString& level : vertex.levels)
            m_grid->setCell(col++, row, level);
        col = levelColumns + 2;
        m_grid->setCell(col++, row, vertex.result);
        // An unknown type code leaves the cell as it was.
        if (vertex.type)
            m_grid->setCell(col, row, *vertex.type);
        ++col;
        m_grid->setCell(col, row, vertex.timesRetained);
    }
    fitColumns(content);
}

// "Times Retained" gets twice the width of a new column, so its header fits.
// It is set, not doubled on every activation, which would widen the column
// without end. No column is narrower than the vertex numbers need, and none
// is narrower than its longest text: results carry up to 15 digits and
// factor names can be long. Measuring every cell of a table of a million
// would take long; the text with the most characters stands for each column.
void VertexSummaryWindow::fitColumns(const VertexSummaryContent& content)
{
    const int columns = static_cast<int>(content.headers.size());
    if (columns < 1)
        return;
    std::vector<QString> longest(content.headers.begin(), content.headers.end());
    const auto consider = [&longest](int col, const QString& text) {
        QString& widest = longest[static_cast<std::size_t>(col - 1)];
        if (text.size() > widest.size())
            widest = text;
    };
    for (const VertexSummaryRow& vertex : content.rows) {
        int col = 1;
        consider(col++, vertex.vertex);
        for (const QString& level : vertex.levels)
            consider(col++, level);
        consider(col++, vertex.result);
        if (vertex.type)
            consider(col, *vertex.type);
        ++col;
        consider(col, vertex.timesRetained);
    }

    m_grid->setColWidth(columns, 2 * m_baseColumnWidth);
    const int vertexWidth = m_grid->maxTextColWidth(1);
    for (int col = 1; col <= columns; ++col) {
        const int needed = std::max(vertexWidth, CellTextWidth(*m_grid, longest[static_cast<std::size_t>(col - 1)]));
        if (needed > m_grid->colWidth(col))
            m_grid->setColWidth(col, needed);
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
