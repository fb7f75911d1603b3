#include "cli/EventWriter.h"

#include "cli/JsonText.h"
#include "cli/VisibleText.h"

#include "core/NumberText.h"

#include <QLocale>

namespace zeltomir::cli {

namespace {

// A JSON array of the numbers that cells hold (null for a cell without one).
std::string CellNumbers(const QStringList& cells)
{
    std::string json = "[";
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i > 0)
            json += ',';
        json += JsonNumber(core::ParseNumber(cells[i], QLocale::c()));
    }
    return json + ']';
}

std::string Numbers(const std::vector<double>& values)
{
    std::string json = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            json += ',';
        json += JsonNumber(values[i]);
    }
    return json + ']';
}

std::string Strings(const QStringList& texts)
{
    std::string json = "[";
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            json += ',';
        json += JsonString(texts[i]);
    }
    return json + ']';
}

} // namespace

QString NamedTexts(const QStringList& names, const QStringList& texts)
{
    QStringList pairs;
    for (qsizetype i = 0; i < texts.size(); ++i)
        pairs.append(names.value(i) + QLatin1Char('=') + texts[i]);
    return pairs.join(QLatin1Char(' '));
}

EventWriter::EventWriter(std::ostream& out, bool json)
    : m_out(out)
    , m_json(json)
{
}

void EventWriter::initial(int row, const QStringList& names, const QStringList& levelCells)
{
    if (m_json) {
        writeLine("{\"event\":\"initial\",\"row\":" + std::to_string(row) + ",\"levels\":" + CellNumbers(levelCells)
                  + '}');
        return;
    }
    writeLine(QStringLiteral("initial %1: %2").arg(row).arg(NamedTexts(names, levelCells)));
}

void EventWriter::trial(const QStringList& names, const simplex::Trial& trial)
{
    if (m_json) {
        writeLine("{\"event\":\"trial\",\"vertex\":" + std::to_string(trial.vertexNumber)
                  + ",\"type\":" + JsonString(trial.vertexType) + ",\"instruction\":" + JsonString(trial.instruction)
                  + ",\"levels\":" + CellNumbers(trial.levels) + '}');
        return;
    }
    writeLine(QStringLiteral("trial %1 %2: %3: %4")
                  .arg(trial.vertexNumber)
                  .arg(trial.vertexType, trial.instruction, NamedTexts(names, trial.levels)));
}

void EventWriter::message(const core::Message& message)
{
    if (m_json) {
        writeLine("{\"event\":\"message\",\"title\":" + JsonString(message.title)
                  + ",\"text\":" + JsonString(message.text) + '}');
        return;
    }
    writeLine(QStringLiteral("message %1: %2").arg(message.title, message.text));
}

void EventWriter::vertex(const QStringList& names, const VertexEvent& vertex)
{
    if (m_json) {
        writeLine("{\"event\":\"vertex\",\"vertex\":" + std::to_string(vertex.vertex)
                  + ",\"levels\":" + Strings(vertex.levelTexts) + ",\"values\":" + Numbers(vertex.values)
                  + ",\"result\":" + JsonNumber(vertex.result) + ",\"type\":" + JsonString(vertex.type)
                  + ",\"retained\":" + JsonNumber(vertex.retained) + ",\"status\":" + JsonString(vertex.status)
                  + (vertex.firstResult ? ",\"first_result\":" + JsonNumber(*vertex.firstResult) : std::string())
                  + (vertex.responseNames.isEmpty() ? std::string()
                                                    : ",\"responses\":" + Numbers(vertex.responses)
                                                          + ",\"desirability\":" + JsonNumber(vertex.result))
                  + '}');
        return;
    }
    // A vertex measured as usual, as nearly all are, says nothing of it.
    QString status;
    if (vertex.status != QLatin1String("measured"))
        status = QStringLiteral(" status=") + vertex.status;
    if (vertex.firstResult)
        status += QStringLiteral(" first_result=") + vertex.firstResultText;
    if (!vertex.responseNames.isEmpty())
        status += QLatin1Char(' ') + NamedTexts(vertex.responseNames, vertex.responseTexts)
                  + QStringLiteral(" D=") + vertex.resultText;
    writeLine(QStringLiteral("vertex %1: %2 result=%3 type=%4 retained=%5%6")
                  .arg(vertex.vertex)
                  .arg(NamedTexts(names, vertex.levelTexts), vertex.resultText, vertex.type, vertex.retainedText,
                       status));
}

void EventWriter::advice(int vertex, const std::vector<simplex::Advice>& advice)
{
    if (!m_json)
        return;
    std::string list = "[";
    for (const simplex::Advice& item : advice) {
        if (list.size() > 1)
            list += ',';
        list += "{\"rule\":" + JsonString(item.rule) + ",\"text\":" + JsonString(item.text) + '}';
    }
    writeLine("{\"event\":\"advice\",\"vertex\":" + std::to_string(vertex) + ",\"advice\":" + list + "]}");
}

void EventWriter::writeLine(const std::string& line)
{
    m_out << line << '\n';
    m_out.flush();
}

// A text event holds names and messages as given; escaped, each stays on
// its one line.
void EventWriter::writeLine(const QString& line)
{
    writeLine(VisibleText(line).toStdString());
}

} // namespace zeltomir::cli
