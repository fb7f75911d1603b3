#pragma once

// The fixed words of the sequential simplex: the instructions shown with a
// trial, and the objective that turns a result into a value to maximise.
// The vertex types and their codes are the record's (core/RecordChoices.h).

#include "core/RecordChoices.h"

#include <QString>

#include <cmath>

namespace zeltomir::simplex {

using core::VertexType;

namespace InstructionText {
inline const QString UseReflection = QStringLiteral("Use the Reflection");
inline const QString UseExtension = QStringLiteral("Use the Extension");
inline const QString EvaluateExtension = QStringLiteral("Evaluate the Extension");
inline const QString ContractForward = QStringLiteral("Contract but Move Forward");
inline const QString ContractReverse = QStringLiteral("Contract in the Reverse Direction");
// Only the first trial after Begin Optimization, when it is the reflection.
inline const QString EvaluateFirstReflection = QStringLiteral("Evaluate the Reflection (R)");
} // namespace InstructionText

// The objective of a result exactly on the target: the best a result can
// score. Results and targets are held at single precision, so two different
// ones lie at least about 1E-45 apart and score at most about 1E+45; this
// value is above that, and a state file writes and reads it back exactly.
inline constexpr double ExactHitObjective = 1e300;

// The result as a value where larger is better: the result itself for "max",
// its negative for "min", and for a target the inverse of the distance to it.
inline double ObjectiveOf(const core::Choice<core::Goal>& goal, double target, double result)
{
    if (!core::AimsAtTarget(goal))
        return goal == core::Goal::Max ? result : -result;
    if (result == target)
        return ExactHitObjective;
    return 1 / std::abs(target - result);
}

} // namespace zeltomir::simplex
