#pragma once

// The hidden model of the target optimisation exercise, which the scrap
// exercise shares: a response with one maximum in two significant factors,
// turned 45 degrees against the factor axes so that the two interact.

#include "practice/FactorLevels.h"
#include "practice/PracticeProblem.h"

#include <QLocale>
#include <QString>

namespace zeltomir::core {
class UniformSource;
}

namespace zeltomir::practice {

struct QuadraticModel {
    QString FirstFactor = QStringLiteral("A");  // "A", "B" or "C"
    QString SecondFactor = QStringLiteral("D"); // "D", "E" or "F"
    float CentreFirst = 0;  // natural level of the first factor at the model's origin
    float CentreSecond = 0; // natural level of the second factor at the model's origin
    float b0 = 0;
    float b1 = 0;
    float b2 = 0;
    float b12 = 0;
    float b11 = 0;
    float b22 = 0;

    friend bool operator==(const QuadraticModel&, const QuadraticModel&) = default;
};

// The target and the scrap kind each hold one.
struct QuadraticProblem : PracticeProblem {
    QuadraticModel Model;

    friend bool operator==(const QuadraticProblem&, const QuadraticProblem&) = default;
};

// Draws a new question into the model, in this order: one number r; at the
// advanced level r picks the first letter and a second number the second
// letter (the simple level takes "A" and "D"); the sign and size of
// CentreFirst, then of CentreSecond; then b0, b1, b2, b12, b11, b22.
void DrawQuadraticModel(QuadraticModel& model, bool advanced, core::UniformSource& source);

// f(u, v) = b0 + b1 u + b2 v + b12 u v - b11 u^2 - b22 v^2, in rotated coordinates.
double QuadraticSurface(const QuadraticModel& model, double u, double v);

// The noise-free response at natural levels of the two significant factors:
// shifted by the centres, turned by -45 degrees, then f.
double QuadraticResponse(const QuadraticModel& model, float levelFirst, float levelSecond);

// The maximum of f in rotated coordinates.
struct QuadraticOptimum {
    double u = 0;
    double v = 0;
    double response = 0;
    int singular = 0; // never 1 for a drawn model
};
QuadraticOptimum SolveQuadraticOptimum(const QuadraticModel& model);

// FirstFactor, u*, SecondFactor, v*, each coordinate at single precision in
// general form with ".": "A12.3456D-7.5".
QString QuadraticAnswerText(const QuadraticModel& model, const QuadraticOptimum& optimum);

// Sets OptimalResponse and AnswerText from the model.
void ComputeQuadraticAnswer(QuadraticProblem& problem);

// Correct when the noise-free response at the levels of the two significant
// factors lies within a tenth of OptimalResponse of it.
bool JudgeQuadratic(const QuadraticProblem& problem, const FactorLevels& levels);

// The natural levels an answer text stands for: the coordinates taken apart
// (the second letter is the first "D", else "E", else "F"), turned back by
// +45 degrees and shifted by the centres.
struct QuadraticAnswerLevels {
    float first = 0;
    float second = 0;
};
QuadraticAnswerLevels AnswerLevels(const QuadraticModel& model, const QString& answerText);

// "A=-41.5, D=63.25": the text that View Answer shows.
QString QuadraticAnswerView(const QuadraticProblem& problem, const QLocale& locale = QLocale());

// Simulated responses. Each draws its noise first: 5 + 2 z.
double SimulateTargetResponse(const QuadraticProblem& problem, const FactorLevels& levels,
                              core::UniformSource& source);
// The scrap rate in parts per million: (OptimalResponse + 500) - f + noise.
double SimulateScrapRate(const QuadraticProblem& problem, const FactorLevels& levels, core::UniformSource& source);

} // namespace zeltomir::practice
