#pragma once

// The state file: the whole problem record as text, one value per line with
// CRLF line ends. It is the ".sso" problem file and the undo snapshot.

#include "core/FileStatus.h"
#include "core/ProblemRecord.h"

#include <QByteArray>
#include <QString>

namespace zeltomir::core {

// What a state file can hold. Every file the program writes must read back,
// so the factor commit refuses what the reader would refuse:
// - a text line of more than MaxStateFileLineLength characters, or one
//   holding a NUL (a file with a NUL is binary data to the reader);
// - limits whose range (upper - lower) is beyond any double.
inline constexpr qsizetype MaxStateFileLineLength = 4096;
enum class TextLineFault { None, TooLong, HoldsNul };
TextLineFault StateFileTextFault(const QString& text);
// The sentence for limits of factor `row` whose range is beyond any double.
QString LimitsRangeTooLarge(int row);

// The bytes of the state file for the record as it stands, as WriteStateFile
// puts them on disk.
QByteArray StateFileBytes(const OptimizationProblem& problem);
// The same as lines, without their line ends.
QStringList StateFileLines(const OptimizationProblem& problem);

enum class Links;

// Writes the record to path. The text goes to a temporary file that replaces
// the target only once complete, so a failed write never damages it. The
// snapshot files are written without following links (TextFile.h).
FileStatus WriteStateFile(const OptimizationProblem& problem, const QString& path, Links links);
FileStatus WriteStateFile(const OptimizationProblem& problem, const QString& path);

// Problem files larger than this are refused with StateFileTooLarge(). The
// largest problem the program holds (100 factors, 32767 vertices) has about
// 3.5 million lines of at most 26 bytes, well inside it.
inline constexpr qint64 MaxStateFileBytes = 128LL * 1024 * 1024;
FileStatus StateFileTooLarge();

// Reads path into the record. The whole file is checked first; on any
// failure the record is left exactly as it was. Every number comes back at
// single precision. Factor slots beyond the file's k keep their start-up
// defaults; SignificantDigits beyond k keep their old values.
//
// The record's StepType is left alone (an undo must not change it). A file
// keeps the step type on one optional line after the last field, written
// whenever StepType is "Fixed" or "Variable"; on success *stepType, when
// given, receives that text, or is emptied for a file without the line.
FileStatus ReadStateFile(const QString& path, OptimizationProblem& problem, QString* stepType = nullptr);

// The record a read fills: fresh, with the fields the file does not hold
// taken over from the current one. A reader that checks what it read before
// it takes it (a simulated process the engine does not know) reads into it.
OptimizationProblem RecordToReadInto(const OptimizationProblem& current);

// The bytes of the state file at path, refused when it is too large to be
// one; ParseStateFileBytes then reads them.
FileStatus ReadStateFileBytes(const QString& path, QByteArray& data, Links links);

// The same check and load over lines already in memory.
FileStatus ParseStateFileLines(const QStringList& lines, OptimizationProblem& problem, QString* stepType = nullptr);
// And over a whole file's bytes already in memory, exactly as ReadStateFile
// takes them once read.
FileStatus ParseStateFileBytes(QByteArray data, OptimizationProblem& problem, QString* stepType = nullptr);

} // namespace zeltomir::core
