#pragma once

// The hidden model of the older variance window, the one that variance
// exercise files open: the scatter comes from a curved surface in the first
// two factors and is smallest where the surface is flat.

#include "practice/FactorLevels.h"

#include <QLocale>
#include <QString>

namespace zeltomir::core {
class UniformSource;
}

namespace zeltomir::practice {

struct RobustModel {
    QString FirstFactor = QStringLiteral("A");
    QString SecondFactor = QStringLiteral("D");
    QString ThirdFactor = QStringLiteral("E");
    float Slope = 0;          // effect of the third factor on the mean
    double ResponseTarget = 0;
    float c1 = 0;
    float c2 = 0;
    float c12 = 0;
    float c11 = 0;
    float c22 = 0;
    // The window's own answer, so that it is never judged against the
    // question of the other variance window when both are open.
    QString AnswerText;
    QString ProblemText;

    friend bool operator==(const RobustModel&, const RobustModel&) = default;
};

// Draws a new question. The source is reseeded from the clock first; then r
// (letters) and, at the advanced level, the third letter, followed by one
// number each for Slope, ResponseTarget, c1, c2, c12, c11 and c22.
void DrawRobustModel(RobustModel& model, bool advanced, core::UniformSource& source,
                     const QLocale& locale = QLocale());

// g(x1, x2) = 1 + c1 x1 + c2 x2 + c12 x1 x2 - c11 x1^2 - c22 x2^2.
double RobustSurface(const RobustModel& model, double x1, double x2);

// The hidden levels: the flat point of g (each rounded to two decimals) and
// the third factor's level that puts the mean on ResponseTarget there.
struct RobustHiddenLevels {
    float first = 0;
    float second = 0;
    float third = 0;
    int singular = 0; // never 1 for a drawn model
};
RobustHiddenLevels SolveRobustHiddenLevels(const RobustModel& model);

// Sets the model's AnswerText from its hidden levels.
void ComputeRobustAnswer(RobustModel& model);

// g(x1', x2') / 100 + Slope x3, where each of the first two levels is
// pushed away by U ln(|hidden - x| + 2) in a random direction. Draws the
// sign and size for the first factor, then for the second.
double SimulateRobustResponse(const RobustModel& model, const FactorLevels& levels, core::UniformSource& source);

} // namespace zeltomir::practice
