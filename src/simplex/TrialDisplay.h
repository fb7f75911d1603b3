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

// The steps window as it is reopened (after a state file at stage "Steps" has
// been read, or from the View menu): the names, the natural levels of
// TrialPoint and the stored Instruction. A level is written in the form it
// was proposed in: a reflection after a step rounded to the decimals again;
// any other level whose coded value carries only single precision (as read
// from a file) in the general form of a single ("155", not
// "155.000001192093"); else unrounded, as computed.
StepsContent ReopenedSteps(const core::OptimizationProblem& problem, const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
