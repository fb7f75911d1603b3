#pragma once

// The problem file of --open. A named pipe (FIFO) holds nothing until a
// program opens it for writing, and the plain reading of a file would wait
// for that through any signal; so a pipe is read here, with waits that a
// stop ends, and its bytes go to the program's one reading of problem
// files. Any other file is read there directly.

#include "core/ProblemRecord.h"
#include "core/StateFile.h"

#include <QString>

namespace zeltomir::cli {

struct ResumeFileRead {
    core::FileStatus status;
    bool stopped = false; // a stop came before the file was read whole
};

// Reads the problem file at `path` as simplex::ReadProblemFile does; a
// readable `wakeFd` (or -1 for none) ends a wait for a pipe. On failure or
// a stop the record is as it was.
ResumeFileRead ReadResumeFile(const QString& path, core::OptimizationProblem& problem, QString* stepType,
                              int wakeFd);

} // namespace zeltomir::cli
