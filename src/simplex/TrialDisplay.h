#pragma once

// How a trial appears in the steps window's level column.

#include "simplex/EngineTypes.h"
#include "simplex/SimplexMoves.h"

#include "core/ProblemRecord.h"

#include <QLocale>
#include <QString>
#include <QStringList>

namespace zeltomir::simplex {

// The cell text of a natural level. Rounded: the level is written with the
// factor's decimals (FormatByDigits) and that text read back as a number,
// grouping marks dropped, so the cell holds the rounded number (1234.5 with 0
// decimals gives "1235"); a text that reads back as no number (a level that
// rounds to zero with 0 decimals gives "" or "-") is the number 0. Either way
// the cell text is the number's general decimal form, and -0 is written 0.
QString LevelText(double natural, double decimals, bool rounded, const QLocale& locale = QLocale());

// The trial in TrialPoint as the steps window shows it, with Instruction as
// its caption and CurrentVertexType as its type.
Trial TrialOnShow(const core::OptimizationProblem& problem, bool rounded, const QLocale& locale = QLocale());

// FactorName of factors 1..k.
QStringList FactorNames(const core::OptimizationProblem& problem);

// Whether the trial on show was shown rounded to the factors' decimals when
// it was proposed: every trial proposed by a step that took a vertex into
// the simplex was (the next reflection, and a contraction that replaced it
// at the limits); the first trial after Begin Optimization and an extension
// or contraction proposed for an evaluated reflection were not.
bool ProposedRounded(const core::OptimizationProblem& problem);

// The steps window as it is reopened (after a state file at stage "Steps"
// has been read, or from the View menu): the names, the trial in TrialPoint
// as it was shown when proposed, and the stored Instruction.
StepsContent ReopenedSteps(const core::OptimizationProblem& problem, const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
