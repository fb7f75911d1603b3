#pragma once

// Several responses in a run: defining them, reading the values typed for a
// trial, and what those values make of the vertex's result (their overall
// desirability D, at single precision like a typed result). The objective
// the simplex ranks a vertex by comes from its values (ScoreOf).

#include "simplex/EngineTypes.h"

#include "core/ProblemRecord.h"
#include "core/Responses.h"

#include <QLocale>
#include <QStringList>

#include <optional>
#include <vector>

namespace zeltomir::simplex {

// Define Responses: replaces the problem's responses by `responses` (in
// order). Refused, changing nothing, for more than MaxResponses, for a row
// without a name or with a fault (ResponseDefinitionFault; the message
// names the row and focusRow holds it), and when every row is only
// tracked. The same responses again change nothing and store no snapshot.
// Then the undo snapshot; the goal becomes "max" (the simplex
// maximises D); every stored vertex gets its result and objective anew from
// its values, as a change of goal scores them. A problem that had one
// response so far takes its results as the values of the first response;
// an empty list goes back to one response, whose results are then the
// values of the first response and whose goal is that response's.
Outcome DefineResponses(core::OptimizationProblem& problem, const std::vector<core::ResponseDefinition>& responses,
                        const EngineHooks& hooks = {});

// The value typed for each response (texts[i] for response i + 1), at
// single precision; the first that is no number refuses them with its
// message ("The result of Yield must be numeric.").
std::optional<core::Message> ReadResponseValues(const core::OptimizationProblem& problem, const QStringList& texts,
                                                const QLocale& locale, std::vector<float>& values);

// Stores the values as vertex v's responses and answers its result: D at
// single precision.
float StoreVertexResponses(core::OptimizationProblem& problem, int v, const std::vector<float>& values);

// The D of vertex v's stored responses at single precision.
float ResultOfResponses(const core::OptimizationProblem& problem, int v);

} // namespace zeltomir::simplex
