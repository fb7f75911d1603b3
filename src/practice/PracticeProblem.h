#pragma once

// The record of one exercise kind (target, variance, scrap). It lives as
// long as the program runs, so closing and reopening an exercise window
// keeps the score.

#include <QString>

#include <cstdint>

namespace zeltomir::practice {

struct PracticeProblem {
    std::int16_t CorrectCount = 0;   // questions whose first check was correct
    std::int16_t IncorrectCount = 0; // questions whose first check was incorrect
    std::int16_t Answered = 0;       // 1 once the current question had its first check
    QString AnswerText;              // the hidden answer in the model's encoding
    double OptimalResponse = 0;      // the best noise-free response, where the model has one
    // "simple" or "all" (advanced); the Practice menu sets it before it opens the window.
    QString PracticeLevel = QStringLiteral("simple");

    friend bool operator==(const PracticeProblem&, const PracticeProblem&) = default;
};

// Only "all" means the advanced level; any other value counts as simple.
inline bool IsAdvancedLevel(const QString& level) { return level == QLatin1String("all"); }

} // namespace zeltomir::practice
