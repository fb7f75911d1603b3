#include "cli/SessionFiles.h"

#include "simplex/VertexCsv.h"
#include "simplex/VertexWorkbook.h"

#include "core/StateFile.h"
#include "core/TextFile.h"

#include <new>
#include <utility>

namespace zeltomir::cli {

namespace {

const QString UsageErrorTitle = QStringLiteral("Usage Error");
const QString FileErrorTitle = QStringLiteral("File Error");
const QString CannotSave = QStringLiteral("Cannot save");
const QString CannotWrite = QStringLiteral("Cannot write");

core::Message FileError(const QString& refusal, const QString& path, const QString& reason)
{
    return {FileErrorTitle, QStringLiteral("%1 \"%2\". %3").arg(refusal, path, reason)};
}

// A summary file written over the problem file that is opened, or over the
// one just saved, would leave nothing but the summary of the run; the CSV
// file and the workbook under one name, only the one written last.
std::optional<core::Message> SameFileClash(const OptimizeOptions& options)
{
    const std::pair<QString, std::optional<QString>> summaryFiles[] = {{QStringLiteral("--csv"), options.csvPath},
                                                                       {QStringLiteral("--xlsx"), options.xlsxPath}};
    const std::pair<QString, std::optional<QString>> problemFiles[] = {{QStringLiteral("--open"), options.openPath},
                                                                       {QStringLiteral("--save"), options.savePath}};
    for (const auto& [summary, summaryPath] : summaryFiles) {
        if (!summaryPath)
            continue;
        for (const auto& [option, path] : problemFiles) {
            if (path && core::NameTheSameFile(*summaryPath, *path))
                return core::Message{UsageErrorTitle,
                                     QStringLiteral("Options %1 and %2 name the same file, \"%3\": the vertex summary "
                                                    "would replace the problem file. Give %1 a file of its own.")
                                         .arg(summary, option, *summaryPath)};
        }
    }
    if (options.csvPath && options.xlsxPath && core::NameTheSameFile(*options.csvPath, *options.xlsxPath))
        return core::Message{UsageErrorTitle,
                             QStringLiteral("Options --csv and --xlsx name the same file, \"%1\": the workbook would "
                                            "replace the CSV file. Give each a file of its own.")
                                 .arg(*options.csvPath)};
    return std::nullopt;
}

std::optional<core::Message> Unwritable(const std::optional<QString>& path, const QString& refusal)
{
    if (!path)
        return std::nullopt;
    if (const core::FileStatus status = core::CheckWritableFileName(*path); !status)
        return FileError(refusal, *path, status.error);
    return std::nullopt;
}

template <typename Write>
std::optional<core::Message> Written(const QString& refusal, const QString& path, const Write& write)
{
    core::FileStatus status = core::FileStatus::success();
    try {
        status = write();
    } catch (const std::bad_alloc&) {
        status = core::FileStatus::failure(QStringLiteral("There is not enough memory left to write the file."));
    }
    if (!status)
        return FileError(refusal, path, status.error);
    return std::nullopt;
}

} // namespace

std::optional<core::Message> CheckSessionFiles(const OptimizeOptions& options)
{
    if (std::optional<core::Message> clash = SameFileClash(options))
        return clash;
    if (std::optional<core::Message> save = Unwritable(options.savePath, CannotSave))
        return save;
    if (std::optional<core::Message> csv = Unwritable(options.csvPath, CannotWrite))
        return csv;
    return Unwritable(options.xlsxPath, CannotWrite);
}

std::optional<core::Message> SaveProblemFile(const core::OptimizationProblem& problem, const QString& path)
{
    return Written(CannotSave, path, [&] { return core::WriteStateFile(problem, path); });
}

std::optional<core::Message> WriteCsvFile(const core::OptimizationProblem& problem, const QString& path)
{
    return Written(CannotWrite, path, [&] { return simplex::WriteVertexCsv(problem, path); });
}

std::optional<core::Message> WriteWorkbookFile(const core::OptimizationProblem& problem, const QString& path)
{
    return Written(CannotWrite, path, [&] { return simplex::WriteVertexWorkbook(problem, path); });
}

} // namespace zeltomir::cli
