#pragma once

// Reading a problem back from a state file, as File > Open, Undo, Redo and
// the runner's --open all do. The file keeps every number at single
// precision, so a level run at 9.5 (limits -10..20) would come back as
// 9.49999928474426 and a target run's objective 1/3 as 0.333333343267441:
// a run that went on from there would show, record and decide otherwise
// than the run that never left memory. So the record read is brought back
// to the values the run held, wherever they give the singles the file holds:
//   - the values of a record the program held when it wrote the file (the
//     undo and redo snapshots keep theirs), else
//   - those of the run replayed: the engine run again from the initial
//     simplex through the results and levels of the vertex history, until
//     it proposes another type of trial than the history records (the goal,
//     the limits or the step type were changed during the run), else
//   - limits: the shortest decimal of their single; the coded levels of the
//     simplex, the vertex history and the trial on show: those of the
//     shortest natural levels; objectives: the goal's objective of the
//     result; centroid, step vector and the trial on show: computed from
//     the simplex as the moves compute them; else the value as read.
// Results, the target and the record response stay at single precision.
// Written again, the record gives the bytes it was read from once read: a
// second read changes nothing.

#include "core/ProblemRecord.h"
#include "core/StateFile.h"

#include <QByteArray>
#include <QString>

namespace zeltomir::simplex {

// The state file at path read into problem (core::ReadStateFile), then
// brought back as above; `known` is the record the program wrote there, if
// it has it. On failure the record is as it was.
core::FileStatus ReadProblemFile(const QString& path, core::OptimizationProblem& problem,
                                 QString* stepType = nullptr, const core::OptimizationProblem* known = nullptr);

// The same over a whole file's bytes already in memory.
core::FileStatus ParseProblemBytes(QByteArray data, core::OptimizationProblem& problem,
                                   QString* stepType = nullptr, const core::OptimizationProblem* known = nullptr);

// The bringing back alone, on a record just read; a replay runs with
// `stepType` ("Fixed" or another).
void RestoreRunValues(core::OptimizationProblem& problem, const core::OptimizationProblem* known,
                      const QString& stepType);

} // namespace zeltomir::simplex
