#pragma once

#include "simplex/EngineTypes.h"

#include "core/ProblemRecord.h"

#include <QLocale>

namespace zeltomir::simplex {

// Begin Optimization (the setup window's button). Refused with "You must
// define the initial simplex before continuing." while no initial simplex
// has been committed, and also when it was committed for another number of
// factors than NumFactors holds now (nothing is stored then). When trials
// were recorded beyond the initial simplex, the user is asked first
// (StartAgainQuestion, through hooks.confirm); No refuses without a message
// and changes nothing. Otherwise: the undo snapshot; FirstStepPending "yes"; the record goes back to the committed
// initial simplex however often Begin has run before (simplex rows 1..k+1
// rebuilt from history vertices 1..k+1, NumVertices k+1 with later vertices
// cleared, retention 0, Stage "SeqSimplexInitialize", RecordResponse and the
// step working fields as the commit leaves them); each simplex row gets its
// objective (also into the vertex history) and its vertex number 1..k+1; the
// rows are ranked, lowest objective first; the first trial is proposed, which
// counts every initial vertex as retained once. ok: the steps
// window opens with the answer's content (names and levels, and the caption
// "Evaluate the Reflection (R)" for a reflection or the contraction's
// instruction, either of them stored in Instruction) and the focus in its
// result box.
// The question before a restart would drop the trials recorded since the
// initial simplex.
core::Message StartAgainQuestion(int droppedTrials);

StepsOutcome BeginOptimization(core::OptimizationProblem& problem, const EngineHooks& hooks = {},
                               const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
