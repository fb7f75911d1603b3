#include "simplex/VertexSummary.h"

#include "simplex/EngineSupport.h"
#include "simplex/VertexView.h"

#include "core/NumberText.h"
#include "core/RecordChoices.h"

#include <algorithm>
#include <bit>
#include <charconv>
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

QStringList ResponseNamesOf(const core::OptimizationProblem& problem)
{
    QStringList names;
    for (const core::ResponseDefinition& response : problem.Responses)
        names.append(response.name);
    return names;
}

bool SameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

std::vector<VertexStatus> StatusesOf(const core::OptimizationProblem& problem, int firstVertex, int lastVertex)
{
    std::vector<VertexStatus> statuses;
    statuses.reserve(static_cast<std::size_t>(std::max(0, lastVertex - firstVertex + 1)));
    for (int v = firstVertex; v <= lastVertex; ++v)
        statuses.push_back(StatusOf(problem, v));
    return statuses;
}

// The texts of the table's cells from their values. The columns shown are
// counted from 0: the k levels, the m responses, then the result, the type
// code and the times retained. Shown column j is table column j+2; with a
// factor count below 0 there are no levels and the last three still come
// from the vertex's result, type and retained columns.
void AppendInteger(QString& out, int value);

class CellFormat {
public:
    CellFormat(int factorCount, const std::vector<core::Factor>& factors, int responseCount, const QLocale& locale)
        : m_k(factorCount), m_factors(factors), m_m(responseCount), m_format(locale)
    {
    }

    int levelCount() const { return static_cast<int>(m_factors.size()); }
    // The shown column of the result; the responses come before it.
    int resultShown() const { return levelCount() + m_m; }
    int shownColumns() const { return resultShown() + 3; }
    static int tableColumn(int shown) { return shown + 2; }
    bool isResponse(int shown) const { return shown >= levelCount() && shown < resultShown(); }

    double value(const core::OptimizationProblem& problem, int shown, int v) const
    {
        if (isResponse(shown))
            return problem.VertexResponses.value(shown - levelCount() + 1, v);
        static constexpr Vertex::Column after[] = {Vertex::ResultColumn, Vertex::TypeColumn, Vertex::RetainedColumn};
        const int source =
            shown < levelCount() ? shown + 1 : Vertex::ColumnOf(m_k, after[shown - resultShown()]);
        return problem.VertexHistory.value(source, v);
    }

    void appendLevel(QString& out, int shown, double coded) const
    {
        const core::Factor& factor = m_factors[static_cast<std::size_t>(shown)];
        m_format.appendByDigits(out, NaturalLevel(factor, coded),
                                factor.SignificantDigits);
    }

    // nullopt where the cell keeps what it held (an unknown type code).
    std::optional<QString> text(int shown, double value, VertexStatus status) const
    {
        QString text;
        if (shown < levelCount())
            appendLevel(text, shown, value);
        else if (isResponse(shown))
            appendResponse(text, value, status);
        else if (shown == resultShown())
            appendResult(text, value, status);
        else if (shown == resultShown() + 1)
            return TypeText(value, status);
        else
            m_format.appendGeneral(text, value);
        return text;
    }

    // The cells whose text follows the status as well as the history.
    bool showsStatus(int shown) const { return shown >= levelCount() && shown <= resultShown() + 1; }

    // values: the row's history values in shown-column order.
    VertexSummaryRow row(int v, const double* values, VertexStatus status) const
    {
        const int levels = levelCount();
        const int result = resultShown();
        VertexSummaryRow row{core::TextRow(result + 4, m_charsHint)};
        row.responseCount = m_m;
        row.cells.appendWith([v](QString& out) { AppendInteger(out, v); });
        for (int shown = 0; shown < levels; ++shown)
            row.cells.appendWith([&](QString& out) { appendLevel(out, shown, values[shown]); });
        for (int shown = levels; shown < result; ++shown)
            row.cells.appendWith([&](QString& out) { appendResponse(out, values[shown], status); });
        row.cells.appendWith([&](QString& out) { appendResult(out, values[result], status); });
        const std::optional<QString> type = TypeText(values[result + 1], status);
        row.typeKnown = type.has_value();
        row.cells.append(type.value_or(QString()));
        row.cells.appendWith([&](QString& out) { m_format.appendGeneral(out, values[result + 2]); });
        // The next row is much like this one.
        m_charsHint = row.cells.chars() + 8;
        return row;
    }

    // The history is stored column by column, so a row's values lie a
    // column's length apart: read one by one they miss the cache and the
    // address translation at every step. They are copied a block of rows at
    // a time, each column read straight through.
    std::vector<VertexSummaryRow> rows(const core::OptimizationProblem& problem, int firstVertex, int lastVertex) const
    {
        constexpr int BlockRows = 32;
        const int columns = shownColumns();
        std::vector<VertexSummaryRow> rows;
        rows.reserve(static_cast<std::size_t>(std::max(0, lastVertex - firstVertex + 1)));
        std::vector<double> block(static_cast<std::size_t>(BlockRows * columns));
        for (int start = firstVertex; start <= lastVertex; start += BlockRows) {
            const int count = std::min(BlockRows, lastVertex - start + 1);
            for (int shown = 0; shown < columns; ++shown) {
                for (int i = 0; i < count; ++i)
                    block[static_cast<std::size_t>(i * columns + shown)] = value(problem, shown, start + i);
            }
            for (int i = 0; i < count; ++i)
                rows.push_back(row(start + i, block.data() + static_cast<std::ptrdiff_t>(i) * columns,
                                   StatusOf(problem, start + i)));
        }
        return rows;
    }

private:
    // A failed trial has no result: the 0 it holds is only a placeholder.
    void appendResult(QString& out, double result, VertexStatus status) const
    {
        if (status == VertexStatus::Failed)
            out += QLatin1StringView("failed");
        else
            m_format.appendGeneral(out, result);
    }

    // A failed trial was never measured: its responses are placeholders too.
    void appendResponse(QString& out, double value, VertexStatus status) const
    {
        if (status != VertexStatus::Failed)
            m_format.appendGeneral(out, value);
    }

    static std::optional<QString> TypeText(double typeCode, VertexStatus status)
    {
        std::optional<QString> type = TypeCellText(typeCode);
        if (type && status == VertexStatus::Corrected)
            *type += QLatin1StringView(" (corrected)");
        return type;
    }

    int m_k;
    const std::vector<core::Factor>& m_factors;
    int m_m;
    core::NumberFormatter m_format; // the locale's marks, read once for the table
    mutable qsizetype m_charsHint = 0;
};

void AppendInteger(QString& out, int value)
{
    char digits[16];
    const char* end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    out += QLatin1StringView(digits, end - digits);
}

} // namespace

QStringList VertexSummaryRow::levels() const
{
    QStringList texts;
    texts.reserve(levelCount());
    for (qsizetype i = 1; i <= levelCount(); ++i)
        texts.append(cells.at(i).toString());
    return texts;
}

QStringList VertexSummaryRow::responses() const
{
    QStringList texts;
    texts.reserve(responseCount);
    for (qsizetype i = 0; i < responseCount; ++i)
        texts.append(cells.at(levelCount() + 1 + i).toString());
    return texts;
}

std::optional<QString> VertexSummaryRow::type() const
{
    if (!typeKnown)
        return std::nullopt;
    return cells.at(typeIndex()).toString();
}

std::optional<QString> TypeCellText(double typeCode)
{
    const std::optional<core::VertexType> type = core::TypeOfCode(typeCode);
    if (!type)
        return std::nullopt;
    return core::TypeName(*type);
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
    const QStringList responses = ResponseNamesOf(problem);
    headers << responses << (responses.isEmpty() ? QStringLiteral("Result") : QStringLiteral("D"))
            << QStringLiteral("Type") << QStringLiteral("Times Retained");
    return headers;
}

std::vector<VertexSummaryRow> BuildVertexSummaryRows(const core::OptimizationProblem& problem, int firstVertex,
                                                     int lastVertex, const QLocale& locale)
{
    const std::vector<core::Factor> factors = FactorsOf(problem);
    const CellFormat format(problem.NumFactors, factors, static_cast<int>(problem.Responses.size()), locale);
    return format.rows(problem, std::max(1, firstVertex),
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
    shown.responseNames = ResponseNamesOf(problem);
    shown.locale = locale;
    return shown;
}

bool VertexSummaryTracker::SameSource(const Shown& shown, const Shown& now)
{
    if (shown.factorCount != now.factorCount || shown.locale != now.locale || shown.factors.size() != now.factors.size()
        || shown.responseNames != now.responseNames)
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
    const int rows = VertexSummaryRowCount(problem);
    Shown now = ShownOf(problem, locale);
    VertexSummaryUpdate update;
    update.rows = rows;

    if (!m_shown || !SameSource(*m_shown, now)) {
        const CellFormat format(now.factorCount, now.factors, static_cast<int>(now.responseNames.size()), now.locale);
        now.rows = rows;
        now.columns.resize(static_cast<std::size_t>(format.shownColumns()));
        for (int shown = 0; shown < format.shownColumns(); ++shown) {
            std::vector<double>& values = now.columns[static_cast<std::size_t>(shown)];
            values.reserve(static_cast<std::size_t>(rows));
            for (int v = 1; v <= rows; ++v)
                values.push_back(format.value(problem, shown, v));
        }
        now.statuses = StatusesOf(problem, 1, rows);
        update.whole = true;
        update.headers = VertexSummaryHeaders(problem);
        update.newRows = format.rows(problem, 1, rows);
        m_shown = std::move(now);
        return update;
    }

    Shown& shown = *m_shown;
    const CellFormat format(shown.factorCount, shown.factors, static_cast<int>(shown.responseNames.size()),
                            shown.locale);
    const int kept = std::min(shown.rows, rows);
    update.firstNewVertex = kept + 1;
    const std::vector<VertexStatus> statuses = StatusesOf(problem, 1, rows);
    const auto statusChanged = [&](int v) {
        return shown.statuses[static_cast<std::size_t>(v - 1)] != statuses[static_cast<std::size_t>(v - 1)];
    };
    for (int col = 0; col < format.shownColumns(); ++col) {
        std::vector<double>& values = shown.columns[static_cast<std::size_t>(col)];
        for (int v = 1; v <= kept; ++v) {
            const double value = format.value(problem, col, v);
            double& old = values[static_cast<std::size_t>(v - 1)];
            if (SameBits(value, old) && !(format.showsStatus(col) && statusChanged(v)))
                continue;
            old = value;
            if (std::optional<QString> text = format.text(col, value, statuses[static_cast<std::size_t>(v - 1)]))
                update.changedCells.push_back({CellFormat::tableColumn(col), v, std::move(*text)});
        }
        values.resize(static_cast<std::size_t>(rows));
        for (int v = kept + 1; v <= rows; ++v)
            values[static_cast<std::size_t>(v - 1)] = format.value(problem, col, v);
    }
    update.newRows = format.rows(problem, kept + 1, rows);
    const bool rowsChanged = rows != shown.rows;
    shown.rows = rows;
    shown.statuses = statuses;
    if (!rowsChanged && update.changedCells.empty())
        return std::nullopt;
    return update;
}

LongestColumnTexts::LongestColumnTexts(TextWidth width) : m_width(std::move(width)) {}

std::vector<bool> LongestColumnTexts::start(const VertexSummaryUpdate& update, std::size_t columns)
{
    // Texts kept from before are known only for the columns of the last
    // update; a different count means a table built by other means.
    const bool unknown = !update.whole && m_longest.size() != columns;
    if (update.whole || unknown)
        m_longest.assign(columns, Longest{});
    std::vector<bool> stale(columns, unknown);
    for (const VertexSummaryCell& written : update.changedCells)
        consider(written.col, written.vertex, m_width(written.text), stale);
    return stale;
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
