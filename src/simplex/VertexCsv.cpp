#include "simplex/VertexCsv.h"

#include "simplex/VertexStatus.h"
#include "simplex/VertexSummary.h"
#include "simplex/VertexView.h"

#include "core/NumberText.h"
#include "core/TextFile.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace zeltomir::simplex {

namespace {

QString CsvField(const QString& text)
{
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return needsQuotes.contains(c); }))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString CsvLine(const QStringList& fields)
{
    QStringList line;
    line.reserve(fields.size());
    for (const QString& field : fields)
        line.append(CsvField(field));
    return line.join(QLatin1Char(','));
}

// The lines without their ends, with the cells the table shows.
void EmitVertexCsv(const core::OptimizationProblem& problem, const core::LineSink& put)
{
    put(CsvLine(VertexSummaryHeaders(problem) << QStringLiteral("Status") << QStringLiteral("First Result")));
    const int k = problem.NumFactors;
    const int m = static_cast<int>(problem.Responses.size());
    const int rows = VertexSummaryRowCount(problem);
    for (int v = 1; v <= rows; ++v) {
        const Vertex vertex(problem, v);
        QStringList fields{QString::number(v)};
        for (int i = 1; i <= k; ++i)
            fields.append(core::ShortestForm(vertex.naturalLevel(i)));
        for (int i = 1; i <= m; ++i)
            fields.append(vertex.failed() ? QString() : core::ShortestForm(problem.VertexResponses.value(i, v)));
        fields.append(core::ShortestForm(vertex.result()));
        fields.append(TypeCellText(vertex.typeCode()).value_or(QString()));
        fields.append(core::ShortestForm(vertex.timesRetained()));
        fields.append(StatusWord(problem, v));
        const std::optional<double> first = vertex.firstResult();
        fields.append(first ? core::ShortestForm(*first) : QString());
        put(CsvLine(fields));
    }
}

} // namespace

QByteArray VertexCsvText(const core::OptimizationProblem& problem)
{
    QByteArray text;
    EmitVertexCsv(problem, [&text](const QString& line) {
        text += line.toUtf8();
        text += "\r\n";
    });
    return text;
}

core::FileStatus WriteVertexCsv(const core::OptimizationProblem& problem, const QString& path)
{
    return core::WriteCrLfFile(path, [&problem](const core::LineSink& put) { EmitVertexCsv(problem, put); });
}

} // namespace zeltomir::simplex
