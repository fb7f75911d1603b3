#include "practice/QuadraticModel.h"

#include "core/NumberText.h"
#include "core/Random.h"
#include "practice/PracticeRoutines.h"

#include <cmath>

namespace zeltomir::practice {
namespace {

// Plus or minus the integer nearest to scale * U (halves to even): one
// number for the sign (below 0.5 positive), a second for the size.
float SignedWholeNumber(double scale, core::UniformSource& source)
{
    const bool positive = source.next() < 0.5;
    const double size = core::RoundHalfEven(scale * source.next(), 0);
    return static_cast<float>(positive ? size : -size);
}

QString LetterByThirds(double r, const char* low, const char* middle, const char* high)
{
    return QString::fromLatin1(r < 0.33 ? low : r < 0.67 ? middle : high);
}

float AnswerNumber(const QString& text)
{
    return ToSingle(core::LeadingNumber(text));
}

} // namespace

void DrawQuadraticModel(QuadraticModel& model, bool advanced, core::UniformSource& source)
{
    const double r = source.next();
    if (advanced) {
        model.FirstFactor = LetterByThirds(r, "A", "B", "C");
        model.SecondFactor = LetterByThirds(source.next(), "D", "E", "F");
    } else {
        model.FirstFactor = QStringLiteral("A");
        model.SecondFactor = QStringLiteral("D");
    }
    model.CentreFirst = SignedWholeNumber(200, source);
    model.CentreSecond = SignedWholeNumber(100, source);
    model.b0 = static_cast<float>(500 + 10000 * source.next());
    model.b1 = static_cast<float>(35 + 200 * source.next());
    model.b2 = static_cast<float>(80 + 200 * source.next());
    model.b12 = static_cast<float>(20 + 10 * source.next());
    model.b11 = static_cast<float>(10 + 10 * source.next());
    model.b22 = static_cast<float>(25 + 10 * source.next());
}

double QuadraticSurface(const QuadraticModel& m, double u, double v)
{
    return m.b0 + m.b1 * u + m.b2 * v + m.b12 * u * v - m.b11 * u * u - m.b22 * v * v;
}

double QuadraticResponse(const QuadraticModel& model, float levelFirst, float levelSecond)
{
    float u = levelFirst - model.CentreFirst;
    float v = levelSecond - model.CentreSecond;
    RotatePoint(u, v, -45);
    return QuadraticSurface(model, u, v);
}

QuadraticOptimum SolveQuadraticOptimum(const QuadraticModel& m)
{
    const StationaryPoint point = SolveStationaryPoint(m.b1, m.b2, m.b12, m.b11, m.b22);
    QuadraticOptimum optimum;
    optimum.u = point.u;
    optimum.v = point.v;
    optimum.singular = point.singular;
    optimum.response = QuadraticSurface(m, optimum.u, optimum.v);
    return optimum;
}

QString QuadraticAnswerText(const QuadraticModel& model, const QuadraticOptimum& optimum)
{
    // Always "." so that the text reads back in any locale and in files.
    const QLocale c = QLocale::c();
    return model.FirstFactor + core::GeneralForm(ToSingle(optimum.u), core::Precision::Single, c) +
           model.SecondFactor + core::GeneralForm(ToSingle(optimum.v), core::Precision::Single, c);
}

void ComputeQuadraticAnswer(QuadraticProblem& problem)
{
    const QuadraticOptimum optimum = SolveQuadraticOptimum(problem.Model);
    problem.OptimalResponse = optimum.response;
    problem.AnswerText = QuadraticAnswerText(problem.Model, optimum);
}

bool JudgeQuadratic(const QuadraticProblem& problem, const FactorLevels& levels)
{
    const QuadraticModel& m = problem.Model;
    const double g = QuadraticResponse(m, LevelOf(levels, m.FirstFactor), LevelOf(levels, m.SecondFactor));
    return std::fabs(g - problem.OptimalResponse) < problem.OptimalResponse / 10;
}

QuadraticAnswerLevels AnswerLevels(const QuadraticModel& model, const QString& answerText)
{
    // The first character is the first letter; the second letter is searched
    // for after it, so a damaged text cannot give a negative length.
    qsizetype p = -1;
    for (const QChar letter : {u'D', u'E', u'F'}) {
        p = answerText.indexOf(letter, 1);
        if (p >= 0)
            break;
    }
    const QString firstText = p < 0 ? answerText.mid(1) : answerText.mid(1, p - 1);
    const QString secondText = p < 0 ? QString() : answerText.mid(p + 1);
    float first = AnswerNumber(firstText);
    float second = AnswerNumber(secondText);
    RotatePoint(first, second, 45);
    return {first + model.CentreFirst, second + model.CentreSecond};
}

QString QuadraticAnswerView(const QuadraticProblem& problem, const QLocale& locale)
{
    const QuadraticModel& m = problem.Model;
    const QuadraticAnswerLevels levels = AnswerLevels(m, problem.AnswerText);
    return m.FirstFactor + QLatin1Char('=') + core::GeneralForm(levels.first, core::Precision::Single, locale) +
           QStringLiteral(", ") + m.SecondFactor + QLatin1Char('=') +
           core::GeneralForm(levels.second, core::Precision::Single, locale);
}

double SimulateTargetResponse(const QuadraticProblem& problem, const FactorLevels& levels,
                              core::UniformSource& source)
{
    double noise = 5;
    AddGaussianNoise(noise, 2, source);
    const QuadraticModel& m = problem.Model;
    return QuadraticResponse(m, LevelOf(levels, m.FirstFactor), LevelOf(levels, m.SecondFactor)) + noise;
}

double SimulateScrapRate(const QuadraticProblem& problem, const FactorLevels& levels, core::UniformSource& source)
{
    double noise = 5;
    AddGaussianNoise(noise, 2, source);
    const QuadraticModel& m = problem.Model;
    const double f = QuadraticResponse(m, LevelOf(levels, m.FirstFactor), LevelOf(levels, m.SecondFactor));
    return (problem.OptimalResponse + 500) - f + noise;
}

} // namespace zeltomir::practice
