#include "simplex/TrialDisplay.h"

#include "simplex/EngineSupport.h"
#include "simplex/SimplexTerms.h"

#include "core/LevelScaling.h"
#include "core/NumberText.h"

#include <cmath>

namespace zeltomir::simplex {

QString LevelText(double natural, double decimals, bool rounded, const QLocale& locale)
{
    double value = natural;
    if (rounded) {
        QString text = core::FormatByDigits(natural, decimals, locale);
        text.remove(locale.groupSeparator());
        value = core::ParseNumber(text, locale).value_or(0);
    }
    return core::GeneralForm(value + 0.0, core::Precision::Double, locale);
}

Trial TrialOnShow(const core::OptimizationProblem& problem, bool rounded, const QLocale& locale)
{
    Trial trial;
    for (int i = 1; i <= problem.NumFactors; ++i) {
        const core::Factor factor = FactorOf(problem, i);
        const double natural = core::ToNatural(factor.LowerLimit, factor.UpperLimit, SlotOf(problem.TrialPoint, i));
        trial.levels.append(LevelText(natural, factor.SignificantDigits, rounded, locale));
    }
    trial.instruction = problem.Instruction;
    trial.vertexType = problem.CurrentVertexType;
    trial.vertexNumber = problem.NumVertices + 1;
    return trial;
}

QStringList FactorNames(const core::OptimizationProblem& problem)
{
    QStringList names;
    for (int i = 1; i <= problem.NumFactors; ++i)
        names.append(FactorOf(problem, i).FactorName);
    return names;
}

StepsContent ReopenedSteps(const core::OptimizationProblem& problem, const QLocale& locale)
{
    StepsContent content{FactorNames(problem), TrialOnShow(problem, false, locale)};
    // Every reflection but the first was proposed rounded to the decimals.
    const bool proposedRounded = problem.CurrentVertexType == VertexType::Reflection
                                 && problem.Instruction != InstructionText::EvaluateFirstReflection;
    for (int i = 1; i <= problem.NumFactors; ++i) {
        const core::Factor factor = FactorOf(problem, i);
        const double coded = SlotOf(problem.TrialPoint, i);
        const double natural = core::ToNatural(factor.LowerLimit, factor.UpperLimit, coded);
        QString& text = content.trial.levels[i - 1];
        if (proposedRounded)
            text = LevelText(natural, factor.SignificantDigits, true, locale);
        else if (static_cast<double>(SingleOf(coded)) == coded && std::isfinite(SingleOf(natural)))
            // Read back from a file, the level carries single precision: its
            // 15-digit form would show the storage error as digits of its own
            // (155.000001192093), and the next step would record them.
            text = core::GeneralForm(static_cast<double>(SingleOf(natural)) + 0.0, core::Precision::Single, locale);
    }
    return content;
}

} // namespace zeltomir::simplex
