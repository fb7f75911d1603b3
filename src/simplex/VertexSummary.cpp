#include "simplex/VertexSummary.h"

#include "simplex/EngineSupport.h"

#include "core/LevelScaling.h"
#include "core/NumberText.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

namespace zeltomir::simplex {

namespace {

std::vector<core::Factor> FactorsOf(const core::OptimizationProblem& problem)
{
    std::vector<core::Factor> factors;
    for (int i = 1; i <= problem.NumFactors; ++i)
        factors.push_back(FactorOf(problem, i));
    return factors;
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

// The texts of the table's cells from their history values. The history
// columns shown are counted from 0: the k levels, then the result, the type
// code and the times retained. Shown column j is table column j+2 and
// history column j+1; with a factor count below 0 there are no levels and
// the last three still come from history columns k+1..k+3.
class CellFormat {
public:
    CellFormat(int factorCount, const std::vector<core::Factor>& factors, const QLocale& locale)
        : m_k(factorCount), m_factors(factors), m_format(locale)
    {
    }

    int levelCount() const { return static_cast<int>(m_factors.size()); }
    int shownColumns() const { return levelCount() + 3; }
    static int tableColumn(int shown) { return shown + 2; }
    int historyColumn(int shown) const { return shown < levelCount() ? shown + 1 : m_k + 1 + (shown - levelCount()); }

    QString level(int shown, double coded) const
    {
        const core::Factor& factor = m_factors[static_cast<std::size_t>(shown)];
        return m_format.byDigits(core::ToNatural(factor.LowerLimit, factor.UpperLimit, coded), factor.SignificantDigits);
    }

    QString number(double value) const { return m_format.general(value); }

    // nullopt where the cell keeps what it held (an unknown type code).
    std::optional<QString> text(int shown, double value) const
    {
        if (shown < levelCount())
            return level(shown, value);
        if (shown == levelCount() + 1)
            return TypeCellText(value);
        return number(value);
    }

    VertexSummaryRow row(const core::Matrix& history, int v) const
    {
        VertexSummaryRow row;
        row.vertex = QString::number(v);
        row.levels.reserve(levelCount());
        for (int shown = 0; shown < levelCount(); ++shown)
            row.levels.append(level(shown, history.value(historyColumn(shown), v)));
        row.result = number(history.value(m_k + 1, v));
        row.type = TypeCellText(history.value(m_k + 2, v));
        row.timesRetained = number(history.value(m_k + 3, v));
        return row;
    }

    std::vector<VertexSummaryRow> rows(const core::Matrix& history, int firstVertex, int lastVertex) const
    {
        std::vector<VertexSummaryRow> rows;
        rows.reserve(static_cast<std::size_t>(std::max(0, lastVertex - firstVertex + 1)));
        for (int v = firstVertex; v <= lastVertex; ++v)
            rows.push_back(row(history, v));
        return rows;
    }

private:
    int m_k;
    const std::vector<core::Factor>& m_factors;
    core::NumberFormatter m_format; // the locale's marks, read once for the table
};

} // namespace

std::optional<QString> TypeCellText(double typeCode)
{
    if (typeCode == 0) return QStringLiteral("Initial");
    if (typeCode == 1) return QStringLiteral("Reflection");
    if (typeCode == 2) return QStringLiteral("Extension");
    if (typeCode == 3) return QStringLiteral("Cr");
    if (typeCode == 4) return QStringLiteral("Cw");
    return std::nullopt;
}

// Before an initial simplex is committed the history holds start-up values
// (levels at the limit markers).
int VertexSummaryRowCount(const core::OptimizationProblem& problem)
{
    if (problem.InitialSimplexDefined != QLatin1String("yes"))
        return 0;
    return std::max(0, static_cast<int>(problem.NumVertices));
}

QStringList VertexSummaryHeaders(const core::OptimizationProblem& problem)
{
    QStringList headers{QStringLiteral("Vertex")};
    for (const core::Factor& factor : FactorsOf(problem))
        headers.append(factor.FactorName);
    headers << QStringLiteral("Result") << QStringLiteral("Type") << QStringLiteral("Times Retained");
    return headers;
}

std::vector<VertexSummaryRow> BuildVertexSummaryRows(const core::OptimizationProblem& problem, int firstVertex,
                                                     int lastVertex, const QLocale& locale)
{
    const std::vector<core::Factor> factors = FactorsOf(problem);
    const CellFormat format(problem.NumFactors, factors, locale);
    return format.rows(problem.VertexHistory, std::max(1, firstVertex),
                       std::min(lastVertex, VertexSummaryRowCount(problem)));
}

VertexSummaryContent BuildVertexSummary(const core::OptimizationProblem& problem, const QLocale& locale)
{
    VertexSummaryContent content;
    content.headers = VertexSummaryHeaders(problem);
    content.rows = BuildVertexSummaryRows(problem, 1, VertexSummaryRowCount(problem), locale);
    return content;
}

VertexSummaryTracker::Shown VertexSummaryTracker::ShownOf(const core::OptimizationProblem& problem,
                                                          const QLocale& locale)
{
    Shown shown;
    shown.factorCount = problem.NumFactors;
    shown.factors = FactorsOf(problem);
    shown.locale = locale;
    return shown;
}

bool VertexSummaryTracker::SameSource(const Shown& shown, const Shown& now)
{
    if (shown.factorCount != now.factorCount || shown.locale != now.locale || shown.factors.size() != now.factors.size())
        return false;
    for (std::size_t i = 0; i < now.factors.size(); ++i) {
        const core::Factor& a = shown.factors[i];
        const core::Factor& b = now.factors[i];
        if (a.FactorName != b.FactorName || a.SignificantDigits != b.SignificantDigits
            || !SameBits(a.LowerLimit, b.LowerLimit) || !SameBits(a.UpperLimit, b.UpperLimit))
            return false;
    }
    return true;
}

std::optional<VertexSummaryUpdate> VertexSummaryTracker::update(const core::OptimizationProblem& problem,
                                                                const QLocale& locale)
{
    const core::Matrix& history = problem.VertexHistory;
    const int rows = VertexSummaryRowCount(problem);
    Shown now = ShownOf(problem, locale);
    VertexSummaryUpdate update;
    update.rows = rows;

    if (!m_shown || !SameSource(*m_shown, now)) {
        const CellFormat format(now.factorCount, now.factors, now.locale);
        now.rows = rows;
        now.columns.resize(static_cast<std::size_t>(format.shownColumns()));
        for (int shown = 0; shown < format.shownColumns(); ++shown) {
            std::vector<double>& values = now.columns[static_cast<std::size_t>(shown)];
            values.reserve(static_cast<std::size_t>(rows));
            for (int v = 1; v <= rows; ++v)
                values.push_back(history.value(format.historyColumn(shown), v));
        }
        update.whole = true;
        update.headers = VertexSummaryHeaders(problem);
        update.newRows = format.rows(history, 1, rows);
        m_shown = std::move(now);
        return update;
    }

    Shown& shown = *m_shown;
    const CellFormat format(shown.factorCount, shown.factors, shown.locale);
    const int kept = std::min(shown.rows, rows);
    update.firstNewVertex = kept + 1;
    for (int col = 0; col < format.shownColumns(); ++col) {
        const int source = format.historyColumn(col);
        std::vector<double>& values = shown.columns[static_cast<std::size_t>(col)];
        for (int v = 1; v <= kept; ++v) {
            const double value = history.value(source, v);
            double& old = values[static_cast<std::size_t>(v - 1)];
            if (SameBits(value, old))
                continue;
            old = value;
            if (std::optional<QString> text = format.text(col, value))
                update.changedCells.push_back({CellFormat::tableColumn(col), v, std::move(*text)});
        }
        values.resize(static_cast<std::size_t>(rows));
        for (int v = kept + 1; v <= rows; ++v)
            values[static_cast<std::size_t>(v - 1)] = history.value(source, v);
    }
    update.newRows = format.rows(history, kept + 1, rows);
    const bool rowsChanged = rows != shown.rows;
    shown.rows = rows;
    if (!rowsChanged && update.changedCells.empty())
        return std::nullopt;
    return update;
}

LongestColumnTexts::LongestColumnTexts(TextWidth width) : m_width(std::move(width)) {}

void LongestColumnTexts::follow(const VertexSummaryUpdate& update, int columns, const CellReader& cell)
{
    const auto count = static_cast<std::size_t>(std::max(0, columns));
    // Texts kept from before are known only for the columns of the last
    // update; a different count means a table built by other means.
    const bool unknown = !update.whole && m_longest.size() != count;
    if (update.whole || unknown)
        m_longest.assign(count, Longest{});
    std::vector<bool> stale(count, unknown);
    for (const VertexSummaryCell& written : update.changedCells)
        consider(written.col, written.vertex, m_width(written.text), stale);
    int row = update.firstNewVertex;
    for (const VertexSummaryRow& vertex : update.newRows) {
        int col = 1;
        consider(col++, row, m_width(vertex.vertex), stale);
        for (const QString& level : vertex.levels)
            consider(col++, row, m_width(level), stale);
        consider(col++, row, m_width(vertex.result), stale);
        // A Type cell left as it was shows what it held.
        consider(col, row, m_width(vertex.type ? *vertex.type : cell(col, row)), stale);
        ++col;
        consider(col, row, m_width(vertex.timesRetained), stale);
        ++row;
    }
    for (int col = 1; col <= static_cast<int>(count); ++col) {
        if (!stale[static_cast<std::size_t>(col - 1)] && at(col).row <= update.rows)
            continue;
        Longest longest;
        for (int r = 1; r <= update.rows; ++r) {
            const qsizetype length = m_width(cell(col, r));
            if (length > longest.length)
                longest = {r, length};
        }
        at(col) = longest;
    }
}

void LongestColumnTexts::consider(int col, int row, qsizetype length, std::vector<bool>& stale)
{
    if (col < 1 || col > static_cast<int>(m_longest.size()))
        return;
    Longest& longest = at(col);
    if (row == longest.row && length < longest.length)
        stale[static_cast<std::size_t>(col - 1)] = true;
    else if (length > longest.length || (length > 0 && length == longest.length && row < longest.row))
        longest = {row, length};
}

int LongestColumnTexts::row(int col) const
{
    if (col < 1 || col > static_cast<int>(m_longest.size()))
        return 0;
    return m_longest[static_cast<std::size_t>(col - 1)].row;
}

} // namespace zeltomir::simplex
