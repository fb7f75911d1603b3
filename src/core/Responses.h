#pragma once

// The responses of a problem judged by several: what each is to do and the
// limits its desirability is measured between. A problem without any has
// one response, the result, as always.

#include <QString>

#include <optional>

namespace zeltomir::core {

enum class ResponseGoal { Maximize, Minimize, Target, TrackOnly };

struct ResponseDefinition {
    QString name;
    ResponseGoal goal = ResponseGoal::Maximize;
    double lower = 0;      // L
    double upper = 1;      // U
    double target = 0;     // T, for a target only
    double importance = 1; // r
    double shape = 1;      // s: below the target, or the whole way
    double shapeAbove = 1; // t: above the target

    friend bool operator==(const ResponseDefinition&, const ResponseDefinition&) = default;
};

inline constexpr int MaxResponses = 10;

// The word a file holds for a goal, and back; nullopt for any other word.
QString ResponseGoalWord(ResponseGoal goal);
std::optional<ResponseGoal> ResponseGoalOfWord(const QString& word);

// What is wrong with a definition, as the end of a sentence that begins
// with the response ("the lower limit must lie below the upper limit."),
// or nullopt when nothing is: L < U, L < T < U for a target, and r, s, t
// greater than 0 (a response only tracked needs none of it).
std::optional<QString> ResponseDefinitionFault(const ResponseDefinition& response);

} // namespace zeltomir::core
