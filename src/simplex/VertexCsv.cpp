#include "simplex/VertexCsv.h"

#include "simplex/EngineSupport.h"
#include "simplex/VertexSummary.h"

#include "core/LevelScaling.h"
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

// The lines without their ends. The history columns are those the table
// shows: levels 1..k, then the result, type code and times retained in
// columns k+1..k+3.
void EmitVertexCsv(const core::OptimizationProblem& problem, const core::LineSink& put)
{
    put(CsvLine(VertexSummaryHeaders(problem)));
    const int k = problem.NumFactors;
    std::vector<core::Factor> factors;
    for (int i = 1; i <= k; ++i)
        factors.push_back(FactorOf(problem, i));
    const core::Matrix& history = problem.VertexHistory;
    const int rows = VertexSummaryRowCount(problem);
    for (int v = 1; v <= rows; ++v) {
        QStringList fields{QString::number(v)};
        for (int i = 1; i <= k; ++i) {
            const core::Factor& factor = factors[static_cast<std::size_t>(i - 1)];
            fields.append(
                core::ShortestForm(core::ToNatural(factor.LowerLimit, factor.UpperLimit, history.value(i, v))));
        }
        fields.append(core::ShortestForm(history.value(k + 1, v)));
        fields.append(TypeCellText(history.value(k + 2, v)).value_or(QString()));
        fields.append(core::ShortestForm(history.value(k + 3, v)));
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
