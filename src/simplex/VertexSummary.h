#pragma once

// The vertex summary table: every vertex of the history with its levels,
// result, type and how often it was retained. A failed trial shows "failed"
// as its result, and a corrected result its type followed by " (corrected)".
//
// Table columns: 1 "Vertex", 2..k+1 the factor levels, k+2 "Result", k+3
// "Type", k+4 "Times Retained"; row v is vertex v. A problem judged by m
// responses shows their values in columns k+2..k+m+1, headed by their
// names, and its result, their overall desirability, under "D" in column
// k+m+2 (Type and Times Retained follow).

#include "simplex/VertexStatus.h"

#include "core/ProblemRecord.h"
#include "core/TextRow.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace zeltomir::simplex {

// One row's cells packed together, in table order: the vertex number, the
// levels with their factor's decimals ("" when that is how they round), the
// responses as recorded (none for a failed trial), the result as recorded
// (unrounded), the type and the times retained.
struct VertexSummaryRow {
    core::TextRow cells;
    // False for an unknown type code: the Type cell, empty here, keeps what
    // the table held.
    bool typeKnown = true;
    qsizetype responseCount = 0;

    qsizetype levelCount() const { return std::max<qsizetype>(0, cells.size() - 4 - responseCount); }
    QString vertex() const { return cells.at(0).toString(); }
    QStringList levels() const;
    QStringList responses() const;
    qsizetype resultIndex() const { return levelCount() + responseCount + 1; }
    qsizetype typeIndex() const { return resultIndex() + 1; }
    QString result() const { return cells.at(resultIndex()).toString(); }
    std::optional<QString> type() const;
    QString timesRetained() const { return cells.at(resultIndex() + 2).toString(); }
};

struct VertexSummaryContent {
    // "Vertex", FactorName(1..k), the response names (if any), "Result" (or
    // "D" with responses), "Type", "Times Retained"
    QStringList headers;
    std::vector<VertexSummaryRow> rows; // vertices 1..NumVertices
};

VertexSummaryContent BuildVertexSummary(const core::OptimizationProblem& problem, const QLocale& locale = QLocale());

// The header row alone.
QStringList VertexSummaryHeaders(const core::OptimizationProblem& problem);

// The number of rows: NumVertices (at least 0), and none before an initial
// simplex is committed, when the history holds start-up values that are
// nobody's vertices.
int VertexSummaryRowCount(const core::OptimizationProblem& problem);

// The rows of vertices firstVertex..lastVertex (cut to 1..NumVertices), each
// exactly as BuildVertexSummary builds it.
std::vector<VertexSummaryRow> BuildVertexSummaryRows(const core::OptimizationProblem& problem, int firstVertex,
                                                     int lastVertex, const QLocale& locale = QLocale());

// The Type cell text of a TypeCode: "Initial", "Reflection", "Extension",
// "Cr", "Cw"; nullopt for any other value.
std::optional<QString> TypeCellText(double typeCode);

// One cell to write again: table column, row (the vertex) and its new text.
struct VertexSummaryCell {
    int col = 0;
    int vertex = 0;
    QString text;

    friend bool operator==(const VertexSummaryCell&, const VertexSummaryCell&) = default;
};

// What to write into a table that showed the previous build so that it
// shows what a build from the problem as it is now would show.
struct VertexSummaryUpdate {
    // True: everything is written, the headers included, and newRows hold
    // every row (firstNewVertex is 1).
    bool whole = false;
    QStringList headers; // only when whole
    // The table's row count (NumVertices, at least 0); rows beyond it go.
    int rows = 0;
    // Rows firstNewVertex..rows, to write in full.
    int firstNewVertex = 1;
    std::vector<VertexSummaryRow> newRows;
    // Cells of rows before firstNewVertex whose history value changed,
    // column by column. A Type cell whose code is now unknown is not listed:
    // the cell keeps what it held, as in a whole build.
    std::vector<VertexSummaryCell> changedCells;
};

// Remembers what the last table was built from (the factor count, each
// factor's name, limits and decimals, the locale, and a copy of the history
// values and vertex statuses the table shows) and tells the next build what differs. Formatting
// a level costs far more than comparing two doubles, so at 100 factors and
// 10,000 vertices comparing the whole copy is cheap where formatting every
// cell again is not. Values are compared bit for bit, so that a NaN or a
// negative zero, whose texts differ from their neighbours', counts as a
// change exactly when its bits do.
class VertexSummaryTracker {
public:
    // nullopt when the table of the last call already shows `problem`. The
    // first call, and every call after the factor count, a factor's name,
    // limits or decimals, or the locale changed, gives a whole update.
    std::optional<VertexSummaryUpdate> update(const core::OptimizationProblem& problem,
                                              const QLocale& locale = QLocale());

    // The next update is whole (the table was written by other means).
    void forget() { m_shown.reset(); }

private:
    struct Shown {
        int factorCount = 0;
        std::vector<core::Factor> factors;
        QStringList responseNames;
        QLocale locale;
        int rows = 0;
        // One vector per value column shown (levels, responses, result,
        // type, times retained), each holding vertices 1..rows.
        std::vector<std::vector<double>> columns;
        // What the Result and Type cells of vertices 1..rows say beside
        // their values.
        std::vector<VertexStatus> statuses;
    };
    static Shown ShownOf(const core::OptimizationProblem& problem, const QLocale& locale);
    static bool SameSource(const Shown& shown, const Shown& now);

    std::optional<Shown> m_shown;
};

// The widest text of each table column, the first such in row order, by a
// width the caller measures (characters unless told otherwise; the window
// sums the pixel advances of the characters). It stands for its column when
// the widths are fitted: measuring every cell with the grid's style, in a
// table of a million, would take long. Kept up to date from the updates;
// only a column whose widest text got narrower or lost its row is read
// again whole.
class LongestColumnTexts {
public:
    using TextWidth = std::function<qsizetype(QStringView text)>;

    explicit LongestColumnTexts(TextWidth width = [](QStringView text) { return text.size(); });

    // Follows `update`, just written into the table of `columns` columns
    // that `cell` reads. A template, so that reading the million cells of a
    // whole table costs no call through a function object each.
    template <typename Reader>
    void follow(const VertexSummaryUpdate& update, int columns, const Reader& cell)
    {
        const auto count = static_cast<std::size_t>(std::max(0, columns));
        std::vector<bool> stale = start(update, count);
        // New rows are read back from the table: a Type cell left as it was
        // shows what it held.
        for (int row = update.firstNewVertex; row <= update.rows; ++row) {
            for (int col = 1; col <= static_cast<int>(count); ++col)
                consider(col, row, m_width(cell(col, row)), stale);
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

    // The row of column col's longest text; 0 when its cells are all empty
    // (or col is outside the table).
    int row(int col) const;

private:
    struct Longest {
        int row = 0;
        qsizetype length = 0;
    };
    // Starts following an update: the changed cells are considered, and
    // the columns whose longest text must be found again are marked.
    std::vector<bool> start(const VertexSummaryUpdate& update, std::size_t columns);
    void consider(int col, int row, qsizetype length, std::vector<bool>& stale);
    Longest& at(int col) { return m_longest[static_cast<std::size_t>(col - 1)]; }

    TextWidth m_width;
    std::vector<Longest> m_longest; // index col - 1
};

} // namespace zeltomir::simplex
