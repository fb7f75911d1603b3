#include "simplex/VertexTable.h"

#include "simplex/VertexStatus.h"
#include "simplex/VertexSummary.h"
#include "simplex/VertexView.h"

#include <QStringList>

namespace zeltomir::simplex {

void EmitVertexTable(const core::OptimizationProblem& problem, const ExportRowSink& put)
{
    const QStringList headers = VertexSummaryHeaders(problem) << QStringLiteral("Status")
                                                              << QStringLiteral("First Result");
    ExportRow row;
    row.reserve(static_cast<std::size_t>(headers.size()));
    for (const QString& header : headers)
        row.push_back(TextCell(header));
    put(row);

    const int k = problem.NumFactors;
    const int m = static_cast<int>(problem.Responses.size());
    const int rows = VertexSummaryRowCount(problem);
    for (int v = 1; v <= rows; ++v) {
        const Vertex vertex(problem, v);
        row.clear();
        row.push_back(NumberCell(v));
        for (int i = 1; i <= k; ++i)
            row.push_back(NumberCell(vertex.naturalLevel(i)));
        for (int i = 1; i <= m; ++i)
            row.push_back(vertex.failed() ? ExportCell{} : NumberCell(problem.VertexResponses.value(i, v), true));
        row.push_back(NumberCell(vertex.result(), true));
        const std::optional<QString> type = TypeCellText(vertex.typeCode());
        row.push_back(type ? TextCell(*type) : ExportCell{});
        row.push_back(NumberCell(vertex.timesRetained()));
        row.push_back(TextCell(StatusWord(problem, v)));
        const std::optional<double> first = vertex.firstResult();
        row.push_back(first ? NumberCell(*first, true) : ExportCell{});
        put(row);
    }
}

} // namespace zeltomir::simplex
