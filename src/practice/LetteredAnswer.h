#pragma once

// The answer encoding of the variance exercises: each significant factor's
// letter followed by its hidden level, closed by "H", as "A-35.5D42.1G-20.3H".
// Every character of a number has a code below 65 and every letter one of 65
// or more, which is how the text is taken apart.

#include "practice/FactorLevels.h"

#include <QLocale>
#include <QString>

#include <vector>

namespace zeltomir::practice {

struct LetteredLevel {
    QString letter;
    float level = 0;
};

// Letter, level, letter, level, ... then "H"; levels at single precision in
// general form with ".".
QString LetteredAnswerText(const std::vector<LetteredLevel>& levels);

// For each letter "A" .. "G" in alphabetical order that occurs in the text
// (its first occurrence), the number that follows it up to the next
// character with a code of 65 or more.
std::vector<LetteredLevel> HiddenLevels(const QString& answerText);

enum class ToleranceRule {
    ByLetter,          // A .. F within 5; G within 30 per cent or within 1
    RelativeOrAbsolute // every letter within 30 per cent or within 1
};
bool WithinTolerance(const QString& letter, float typed, float hidden, ToleranceRule rule);

// Correct when exactly three letters of the answer count: a letter counts
// when its box holds a number within the tolerance of the hidden level.
bool JudgeLetteredAnswer(const QString& answerText, const FactorEntries& entries, ToleranceRule rule);

// "A=-35.5, D=42.1, G=-20.3", with or without the final ", ".
QString LetteredAnswerView(const QString& answerText, bool keepFinalSeparator, const QLocale& locale = QLocale());

} // namespace zeltomir::practice
