#pragma once

// The files a session of `zeltomir-cli optimize` names: checked before the
// first trial, so that no result is typed for a session whose files cannot
// be written, and written at its end.

#include "cli/CliOptions.h"

#include "core/Message.h"
#include "core/ProblemRecord.h"

#include <QString>

#include <optional>

namespace zeltomir::cli {

// The first reason the files of the options cannot serve the session, as
// the message to show: a CSV file or workbook named as the problem file, or
// both under one name (a usage error), or a --save, --csv or --xlsx name
// that no save could use or whose folder takes no file. nullopt when they
// can serve it.
std::optional<core::Message> CheckSessionFiles(const OptimizeOptions& options);

// The problem and the vertex summary (CSV, workbook), each as the message of its failure
// (nullopt once written). Memory that runs out fails a write as a full disk
// does.
std::optional<core::Message> SaveProblemFile(const core::OptimizationProblem& problem, const QString& path);
std::optional<core::Message> WriteCsvFile(const core::OptimizationProblem& problem, const QString& path);
std::optional<core::Message> WriteWorkbookFile(const core::OptimizationProblem& problem, const QString& path);

} // namespace zeltomir::cli
