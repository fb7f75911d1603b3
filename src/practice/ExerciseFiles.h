#pragma once

// The two exercise files: a target optimisation exercise (".sst", eleven
// lines) and a variance exercise of the older variance window (".ssv",
// thirteen lines). One value per line, CRLF line ends, text lines exactly
// as they are, number lines in the file number form (" 12.5 ", "-3 ": the
// single-precision general form with "." and a blank before a value that is
// not negative and after every number). Reading takes numbers by the
// leading-number rule ("1,5" reads as 1) and checks the whole file before
// anything is handed back, so a refused file changes nothing.

#include "core/FileStatus.h"
#include "practice/PracticeRecords.h"
#include "practice/QuadraticModel.h"

#include <QString>
#include <QStringList>

namespace zeltomir::practice {

inline constexpr int TargetFileLineCount = 11;
inline constexpr int VarianceFileLineCount = 13;

struct TargetFileContents {
    QuadraticModel Model;
    QString AnswerText;
};

struct VarianceFileContents {
    QString FirstFactor;
    QString SecondFactor;
    float ReservedValue1 = 0;
    float ReservedValue2 = 0;
    float c1 = 0;
    float c2 = 0;
    float c12 = 0;
    float c11 = 0;
    float c22 = 0;
    QString AnswerText;
    // Line 13 as read. The older window shows its own statement instead,
    // so applying the file leaves the window's text alone.
    QString ProblemText;
};

QStringList TargetFileLines(const QuadraticProblem& target);
// The older variance window's model, the reserved values and that window's
// answer and problem text.
QStringList VarianceFileLines(const VarianceProblem& variance);

// Why the exercise cannot be saved as it stands, or an empty text when it
// can. A file is refused unless its lines, as they would be written, open
// again; and while the older window's model holds no question, a variance
// file would describe no exercise at all.
QString TargetFileRefusal(const QuadraticProblem& target);
QString VarianceFileRefusal(const VarianceProblem& variance);

// Written through a temporary file that replaces the target only once
// complete, so a failed write never damages an existing file. A file that
// the refusal above refuses is not written.
core::FileStatus WriteTargetFile(const QuadraticProblem& target, const QString& path);
core::FileStatus WriteVarianceFile(const VarianceProblem& variance, const QString& path);

// Checks and reads a file; contents is written only on success. Lines
// beyond the layout are ignored.
core::FileStatus ParseTargetFileLines(const QStringList& lines, TargetFileContents& contents);
core::FileStatus ParseVarianceFileLines(const QStringList& lines, VarianceFileContents& contents);
core::FileStatus ReadTargetFile(const QString& path, TargetFileContents& contents);
core::FileStatus ReadVarianceFile(const QString& path, VarianceFileContents& contents);

// Opening a target file, after the target window has drawn its own
// question: the model and AnswerText from the file, Answered = 0, and
// OptimalResponse computed from the loaded model.
void ApplyTargetFile(const TargetFileContents& contents, QuadraticProblem& target);

// Opening a variance file, after the older window has drawn its own
// question: FirstFactor, SecondFactor, c1, c2, c12, c11, c22 and AnswerText
// of the older window's model, the reserved values, and Answered = 0.
// ThirdFactor, Slope, ResponseTarget and the problem text stay as drawn,
// except that a third factor equal to one of the loaded letters becomes "G"
// (a question with a letter twice could never be answered correctly).
// The window then runs Compute Response once and clears its grid rows.
void ApplyVarianceFile(const VarianceFileContents& contents, VarianceProblem& variance);

} // namespace zeltomir::practice
