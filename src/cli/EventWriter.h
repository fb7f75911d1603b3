#pragma once

// Writes the runner's events, one line each and flushed at once, so that a
// program driving the runner through a pipe sees every trial as soon as it is
// proposed. Text lines are for people, with control characters escaped;
// with JSON every line is one object.
// Texts come as the windows would show them (grid cells, captions, message
// boxes); JSON adds their numeric values where a cell holds a number.

#include "core/Message.h"
#include "simplex/EngineTypes.h"
#include "simplex/RunProgress.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace zeltomir::cli {

// One row of the vertex summary with the values behind its texts.
struct VertexEvent {
    int vertex = 0;
    QStringList levelTexts;     // as the summary formats them, with the factors' decimals
    std::vector<double> values; // the natural levels
    QString resultText;         // the summary's Result cell
    double result = 0;          // the result as stored
    QString type;               // the summary's Type cell
    QString retainedText;       // the summary's Times Retained cell
    double retained = 0;
    QString status;                    // StatusWord: "measured", "again", "failed" or "corrected"
    std::optional<double> firstResult; // the result first entered, for a corrected vertex
    QString firstResultText;
    // With several responses: their names, values and the values' texts;
    // the result is then their overall desirability.
    QStringList responseNames;
    std::vector<double> responses;
    QStringList responseTexts;
};

class EventWriter {
public:
    EventWriter(std::ostream& out, bool json);

    bool json() const { return m_json; }

    // Row `row` of the proposed initial simplex: its level cells.
    void initial(int row, const QStringList& names, const QStringList& levelCells);
    // The trial the steps window shows.
    void trial(const QStringList& names, const simplex::Trial& trial);
    // A message box, exactly as the session would show it.
    void message(const core::Message& message);
    void vertex(const QStringList& names, const VertexEvent& vertex);
    // The advice on stopping as assessed with `vertex` vertices recorded.
    // JSON only: the text form writes no advice lines, so its output stays
    // what programs reading it already know.
    void advice(int vertex, const std::vector<simplex::Advice>& advice);

private:
    void writeLine(const std::string& line);
    void writeLine(const QString& line);

    std::ostream& m_out;
    bool m_json;
};

// "A=10 B=5": each name with its text, separated by blanks.
QString NamedTexts(const QStringList& names, const QStringList& texts);

} // namespace zeltomir::cli
