#include "practice/RobustModel.h"

#include "core/NumberText.h"
#include "core/Random.h"
#include "practice/LetteredAnswer.h"
#include "practice/PracticeRoutines.h"
#include "practice/ProblemStatements.h"
#include "practice/VarianceModel.h"

#include <cmath>

namespace zeltomir::practice {
namespace {

float RoundedTo(double value, int decimals)
{
    // Adding 0 turns a rounded -0 into 0, so no answer reads "-0".
    return ToSingle(core::RoundHalfEven(value, decimals) + 0.0);
}

double Pushed(float level, float hidden, core::UniformSource& source)
{
    const double sign = source.next() < 0.5 ? -1.0 : 1.0;
    const double size = source.next();
    return level + sign * size * std::log(std::fabs(static_cast<double>(hidden) - level) + 2);
}

} // namespace

void DrawRobustModel(RobustModel& m, bool advanced, core::UniformSource& source, const QLocale& locale)
{
    source.seedFromClock();
    ChooseScatterLetters(advanced, source.next(), m.FirstFactor, m.SecondFactor);
    m.ThirdFactor = advanced ? ChooseThirdLetter(ThirdFactorCandidates(m.FirstFactor, m.SecondFactor), source.next())
                             : QStringLiteral("E");
    m.Slope = RoundedTo(2 * source.next() + 5, 1);
    m.ResponseTarget = core::RoundHalfEven(5 * source.next() + 7, 1);
    m.c1 = static_cast<float>(10 * source.next() + 140);
    m.c2 = static_cast<float>(10 * source.next() + 140);
    m.c12 = static_cast<float>(10 * source.next() + 12.8);
    m.c11 = static_cast<float>(10 * source.next() + 10);
    m.c22 = static_cast<float>(10 * source.next() + 25);
    m.ProblemText = RobustStatement(core::GeneralForm(m.ResponseTarget, core::Precision::Double, locale));
}

double RobustSurface(const RobustModel& m, double x1, double x2)
{
    return 1 + m.c1 * x1 + m.c2 * x2 + m.c12 * x1 * x2 - m.c11 * x1 * x1 - m.c22 * x2 * x2;
}

RobustHiddenLevels SolveRobustHiddenLevels(const RobustModel& m)
{
    const StationaryPoint point = SolveStationaryPoint(m.c1, m.c2, m.c12, m.c11, m.c22);
    RobustHiddenLevels hidden;
    hidden.singular = point.singular;
    hidden.first = RoundedTo(point.u, 2);
    hidden.second = RoundedTo(point.v, 2);
    const double mean = RobustSurface(m, hidden.first, hidden.second) / 100;
    hidden.third = m.Slope == 0 ? 0.0F : RoundedTo((m.ResponseTarget - mean) / m.Slope, 2);
    return hidden;
}

void ComputeRobustAnswer(RobustModel& m)
{
    const RobustHiddenLevels hidden = SolveRobustHiddenLevels(m);
    m.AnswerText = LetteredAnswerText(
        {{m.FirstFactor, hidden.first}, {m.SecondFactor, hidden.second}, {m.ThirdFactor, hidden.third}});
}

double SimulateRobustResponse(const RobustModel& m, const FactorLevels& levels, core::UniformSource& source)
{
    const RobustHiddenLevels hidden = SolveRobustHiddenLevels(m);
    const float x1 = LevelOf(levels, m.FirstFactor);
    const float x2 = LevelOf(levels, m.SecondFactor);
    const double pushedFirst = Pushed(x1, hidden.first, source);
    const double pushedSecond = Pushed(x2, hidden.second, source);
    return RobustSurface(m, pushedFirst, pushedSecond) / 100 + m.Slope * LevelOf(levels, m.ThirdFactor);
}

} // namespace zeltomir::practice
