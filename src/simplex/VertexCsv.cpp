#include "simplex/VertexCsv.h"

#include "simplex/VertexTable.h"

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

QString CsvText(const ExportCell& cell)
{
    switch (cell.kind) {
    case ExportCell::Kind::Text:
        return CsvField(cell.text);
    case ExportCell::Kind::Number:
        // The value held, in full: a program reading the file gets back
        // exactly what Zeltomir computed with.
        return core::ShortestForm(cell.number);
    case ExportCell::Kind::Empty:
        break;
    }
    return {};
}

// The lines without their ends.
void EmitVertexCsv(const core::OptimizationProblem& problem, const core::LineSink& put)
{
    EmitVertexTable(problem, [&put](const ExportRow& row) {
        QStringList line;
        line.reserve(static_cast<qsizetype>(row.size()));
        for (const ExportCell& cell : row)
            line.append(CsvText(cell));
        put(line.join(QLatin1Char(',')));
    });
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
