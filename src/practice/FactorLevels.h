#pragma once

// The learner's factor levels as the practice windows read them from their
// level boxes, the limit check of Compute Response, and the cells of a new
// grid row. Factors are addressed by letter, "A" first.

#include "core/Message.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace zeltomir::practice {

// The most factors a practice window has (A .. G).
inline constexpr int MaxPracticeFactors = 7;

// "A" for 0, "B" for 1, ...
QString FactorLetter(int index);
// 0 for "A" .. 6 for "G"; -1 for anything else.
int FactorIndex(const QString& letter);

// What the level boxes hold, one entry per letter from A: nullopt where the
// box is empty, holds no number, or does not exist in the window.
using FactorEntries = std::array<std::optional<float>, MaxPracticeFactors>;
// The levels the models work with: an empty or non-numeric box counts as 0.
using FactorLevels = std::array<float, MaxPracticeFactors>;

// Reads the box texts (index 0 is factor A) as single-precision numbers in
// the given locale. Texts beyond G are ignored.
FactorEntries ReadEntries(const QStringList& boxTexts, const QLocale& locale = QLocale());
FactorLevels LevelsOf(const FactorEntries& entries);
// The level of one factor by letter; 0 for a letter outside A .. G.
float LevelOf(const FactorLevels& levels, const QString& letter);
std::optional<float> EntryOf(const FactorEntries& entries, const QString& letter);

struct LimitFailure {
    int factor = 0; // 0 for A: the box that takes the focus
    core::Message message;
};

// Checks factors A, B, ... (the first factorCount) in this order, each
// against the lower limit and then the upper limit, the limits being read
// at single precision from their caption texts. A level equal to a limit
// passes. Returns the first failure, or nullopt when every level passes.
std::optional<LimitFailure> CheckLimits(const FactorLevels& levels, int factorCount, const QString& lowerLimit,
                                        const QString& upperLimit);

// The cells of a new grid row: the level of each shown factor as its
// single-precision general form, then the response text.
QStringList ResponseRowCells(const QStringList& shownFactors, const FactorLevels& levels,
                             const QString& responseText, const QLocale& locale = QLocale());

} // namespace zeltomir::practice
