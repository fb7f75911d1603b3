#pragma once

// The hidden model of the variance minimisation exercise: two factors set
// how much the response scatters (not at all at their hidden levels), a
// third shifts its mean linearly.

#include "practice/FactorLevels.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace zeltomir::core {
class UniformSource;
}

namespace zeltomir::practice {

struct VarianceModel {
    QString FirstFactor = QStringLiteral("A");  // "A", "B" or "C"
    QString SecondFactor = QStringLiteral("D"); // "D", "E" or "F"
    QString ThirdFactor = QStringLiteral("E");  // any of "A" .. "G" other than the first two
    float TargetFirst = 0;   // level of the first factor at which it adds no scatter
    float TargetSecond = 0;  // level of the second factor at which it adds no scatter
    float TargetThird = 0;   // level of the third factor that puts the mean on target
    float Slope = 0;         // effect of the third factor on the mean, per unit of level
    float ResponseTarget = 0;
    QString ProblemText;

    friend bool operator==(const VarianceModel&, const VarianceModel&) = default;
};

// The letters of the two scatter factors: "A" and "D" at the simple level;
// at the advanced level r alone picks "A"/"D", "B"/"E" or "C"/"F".
void ChooseScatterLetters(bool advanced, double r, QString& first, QString& second);
// The letters "A" .. "F" other than the two scatter factors, alphabetically.
QStringList ThirdFactorCandidates(const QString& first, const QString& second);
// The advanced level's third factor: a fifth of the range for each
// candidate, the last fifth for "G".
QString ChooseThirdLetter(const QStringList& candidates, double u);

// Draws a new question. The source is reseeded from the clock first; then,
// in this order: r (letters), Slope, TargetFirst (two numbers a pass, size
// then sign, until the size is 30 or more), TargetSecond (the same), then
// TargetThird and, at the advanced level, the third letter. The problem
// text states ResponseTarget in the locale's general form.
void DrawVarianceModel(VarianceModel& model, bool advanced, core::UniformSource& source,
                       const QLocale& locale = QLocale());

// "A-35.5D42.1G-20.3H".
QString VarianceAnswerText(const VarianceModel& model);

// Slope x3 + x2' + x1' at single precision, where each scatter factor's
// level is disturbed by normal noise whose spread (|hidden - x| / 10 + 1)^2 - 1
// is 0 at the hidden level. Draws two numbers per scatter factor, first then second.
double SimulateVarianceResponse(const VarianceModel& model, const FactorLevels& levels, core::UniformSource& source);

} // namespace zeltomir::practice
