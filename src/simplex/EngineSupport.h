#pragma once

// Small pieces the engine's commands share: reading the record safely,
// single-precision conversion without overflow, and the message boxes.

#include "core/Message.h"
#include "core/ProblemRecord.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace zeltomir::simplex {

inline const QString DataInputError = QStringLiteral("Data Input Error");
inline const QString DataEntryError = QStringLiteral("Data Entry Error");
inline const QString InputError = QStringLiteral("Input Error");
inline const QString NoticeTitle = QStringLiteral("Notice");

inline core::Message Critical(const QString& title, const QString& text)
{
    return {title, text, core::MessageIcon::Critical};
}

// The value rounded to single precision. A double beyond the single range
// becomes an infinity of its sign, as the hardware conversion would, instead
// of the undefined out-of-range conversion.
float SingleOf(double value);

// Factor slot i, or the start-up defaults when the table does not reach it
// (a record read from a file may hold fewer slots than the count asks for).
core::Factor FactorOf(const core::OptimizationProblem& problem, int slot);

// Slot i of a per-factor or per-vertex table, 0 beyond its end.
double SlotOf(const std::vector<double>& table, int slot);

// A level or result typed as a double; nullopt when not a number.
std::optional<double> ReadDouble(const QString& text, const QLocale& locale);

// True when the simplex and vertex history were committed for the current
// number of factors k. The number can be changed at any time in the setup
// window, and a simplex of another size would be read column by column as if
// it were this one. The rule: the history holds the k+1 initial vertices,
// NumVertices counts no more vertices than it has rows, and its width fits k.
// The initial simplex commit gives the history exactly k+4 columns and steps
// add rows, never columns, so such a width names its k. A history read from a
// state file (or never committed) keeps the record's start-up width; there
// every column beyond k+4 must be empty, which tells a count lowered since.
bool SimplexMatchesFactorCount(const core::OptimizationProblem& problem);

// How far the problem has come towards stepping. Begin Optimization needs an
// initial simplex committed for the current factors; Next Step also needs the
// trial that Begin Optimization (or a step since) proposed from it: a
// steps window can be open, or reopened, long before either exists, and a
// result entered then would be recorded at meaningless levels.
enum class StepReadiness {
    NoInitialSimplex, // none committed, or committed for another number of factors
    NotBegun,         // committed, but no trial proposed from it since
    Ready,            // a trial of the committed simplex is on show
};
StepReadiness ReadinessOf(const core::OptimizationProblem& problem);

// The one answer to a simplex that is missing or no longer fits the factors.
core::Message DefineInitialSimplexFirst();
// The number of factors the committed initial simplex was defined for, when
// the number has been changed since (in the setup window); nullopt when
// none is committed or it fits the number as it is.
std::optional<int> CommittedFactorCountChanged(const core::OptimizationProblem& problem);
// The answer to Begin Optimization or Next Step without a simplex that fits
// the factors: which number to put back when the count was changed, else
// DefineInitialSimplexFirst.
core::Message NoFittingSimplexMessage(const core::OptimizationProblem& problem);

// Where a level lies beyond the factor's limits, both compared at single
// precision: the end of the sentence that refuses it ("is lower than the
// lower limit you specified.  The lower limit specified was 10."), which
// the caller begins with the factor; nullopt when it lies within them.
std::optional<QString> BeyondLimits(const core::Factor& factor, double level, const QLocale& locale);
// The same for a level whose coded value would be no number (an infinity):
// such a level could be neither kept in a file nor read back.
std::optional<QString> LevelRefusal(const core::Factor& factor, double level, const QLocale& locale);
// The answer to a result entered before Begin Optimization proposed a trial.
core::Message BeginOptimizationFirst();

// Equal limits would make the coded scale divide by zero; they are compared at
// single precision because a state file keeps limits at that precision.
bool LimitsCoincide(const core::Factor& factor);

// Limits so far apart that upper - lower is beyond any double: the coded
// scale between them would turn levels into infinities and NaN.
bool RangeOverflows(const core::Factor& factor);

// The refusal of a step or commit that would put a level on such a scale.
core::Message EqualLimitsMessage(const QString& factorName);

} // namespace zeltomir::simplex
