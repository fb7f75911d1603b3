#include "practice/VarianceModel.h"

#include "core/NumberText.h"
#include "core/Random.h"
#include "practice/LetteredAnswer.h"
#include "practice/PracticeRoutines.h"
#include "practice/ProblemStatements.h"

#include <cmath>

namespace zeltomir::practice {
namespace {

float RoundedToTenths(double value)
{
    return static_cast<float>(core::RoundHalfEven(value, 1));
}

// A level of magnitude 30 .. 50 with either sign: two numbers a pass, the
// first for the size and the second for the sign (below 0.5 flips it).
float DrawTargetLevel(bool startsNegative, core::UniformSource& source)
{
    float value = 0;
    while (-30 < value && value < 30) {
        const float size = RoundedToTenths(50 * source.next());
        value = startsNegative ? -size : size;
        if (source.next() < 0.5)
            value = -value;
    }
    return value;
}

float SpreadAt(float hidden, float level)
{
    const float distance = std::fabs(hidden - level) / 10 + 1;
    return distance * distance - 1;
}

float Disturbed(float level, float spread, core::UniformSource& source)
{
    double noise = 0;
    AddGaussianNoise(noise, spread, true, source);
    return ToSingle(level + noise);
}

} // namespace

void ChooseScatterLetters(bool advanced, double r, QString& first, QString& second)
{
    if (!advanced || r < 0.33) {
        first = QStringLiteral("A");
        second = QStringLiteral("D");
    } else if (r < 0.67) {
        first = QStringLiteral("B");
        second = QStringLiteral("E");
    } else {
        first = QStringLiteral("C");
        second = QStringLiteral("F");
    }
}

QStringList ThirdFactorCandidates(const QString& first, const QString& second)
{
    QStringList candidates;
    for (int i = 0; i < 6; ++i) {
        const QString letter = FactorLetter(i);
        if (letter != first && letter != second)
            candidates.append(letter);
    }
    return candidates;
}

QString ChooseThirdLetter(const QStringList& candidates, double u)
{
    const double bounds[] = {0.2, 0.4, 0.6, 0.8};
    for (int i = 0; i < 4 && i < candidates.size(); ++i) {
        if (u < bounds[i])
            return candidates.at(i);
    }
    return QStringLiteral("G");
}

void DrawVarianceModel(VarianceModel& m, bool advanced, core::UniformSource& source, const QLocale& locale)
{
    source.seedFromClock();
    ChooseScatterLetters(advanced, source.next(), m.FirstFactor, m.SecondFactor);
    const QStringList candidates = ThirdFactorCandidates(m.FirstFactor, m.SecondFactor);
    m.Slope = static_cast<float>(1.4 * source.next() + 12.8);
    m.TargetFirst = DrawTargetLevel(false, source);
    m.TargetSecond = DrawTargetLevel(true, source);
    m.TargetThird = RoundedToTenths(40 * source.next() - 45);
    const float target = m.TargetSecond + m.TargetFirst + m.TargetThird * m.Slope;
    m.ResponseTarget = RoundedToTenths(target);
    m.ThirdFactor = advanced ? ChooseThirdLetter(candidates, source.next()) : QStringLiteral("E");
    m.ProblemText =
        VarianceStatement(advanced, core::GeneralForm(m.ResponseTarget, core::Precision::Single, locale));
}

QString VarianceAnswerText(const VarianceModel& m)
{
    return LetteredAnswerText(
        {{m.FirstFactor, m.TargetFirst}, {m.SecondFactor, m.TargetSecond}, {m.ThirdFactor, m.TargetThird}});
}

double SimulateVarianceResponse(const VarianceModel& m, const FactorLevels& levels, core::UniformSource& source)
{
    const float x1 = LevelOf(levels, m.FirstFactor);
    const float x2 = LevelOf(levels, m.SecondFactor);
    const float x3 = LevelOf(levels, m.ThirdFactor);
    const float disturbedFirst = Disturbed(x1, SpreadAt(m.TargetFirst, x1), source);
    const float disturbedSecond = Disturbed(x2, SpreadAt(m.TargetSecond, x2), source);
    const float response = m.Slope * x3 + disturbedSecond + disturbedFirst;
    return response;
}

} // namespace zeltomir::practice
