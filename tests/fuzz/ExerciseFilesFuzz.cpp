// The two exercise file readers on any bytes, opened from a file as File >
// Open does. A refused file hands back nothing; an accepted one describes an
// exercise which, saved again, must open again with the same letters and
// texts and its numbers at the seven digits the file keeps: every file the
// program writes reads back. The files live in a folder of their own that
// is removed at exit.

#include "FuzzCheck.h"

#include "practice/ExerciseFiles.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

using namespace zeltomir;
using namespace zeltomir::practice;

namespace {

QString FilePath(const QString& name)
{
    static const QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid(), "no temporary folder: " + folder.errorString());
    return folder.filePath(name);
}

// Seven significant digits, then the nearest single: within a few parts in
// ten million, or the smallest step of a single near zero.
bool SameToSevenDigits(float reread, float written)
{
    const float difference = std::fabs(reread - written);
    return difference <= 1e-6F * std::fabs(written) || difference <= std::numeric_limits<float>::denorm_min();
}

bool SameNumbers(std::initializer_list<std::pair<float, float>> pairs)
{
    for (const auto& [reread, written] : pairs) {
        if (!SameToSevenDigits(reread, written))
            return false;
    }
    return true;
}

void TargetFileReadsBack(const QString& input)
{
    TargetFileContents contents;
    contents.AnswerText = "untouched";
    if (const core::FileStatus status = ReadTargetFile(input, contents); !status) {
        FUZZ_CHECK(contents.Model == QuadraticModel() && contents.AnswerText == "untouched",
                   "a refused target file handed back fields: " + status.error);
        return;
    }
    QuadraticProblem opened;
    ApplyTargetFile(contents, opened);
    const QString saved = FilePath("saved.sst");
    if (!WriteTargetFile(opened, saved))
        return; // a question the writer refuses to save leaves no file to open
    TargetFileContents reopened;
    const core::FileStatus status = ReadTargetFile(saved, reopened);
    FUZZ_CHECK(status, "a saved target file is refused: " + status.error);
    const QuadraticModel& a = reopened.Model;
    const QuadraticModel& b = opened.Model;
    FUZZ_CHECK(a.FirstFactor == b.FirstFactor && a.SecondFactor == b.SecondFactor
                   && reopened.AnswerText == opened.AnswerText,
               "a saved target file opens with other letters or answer");
    FUZZ_CHECK(SameNumbers({{a.CentreFirst, b.CentreFirst}, {a.CentreSecond, b.CentreSecond}, {a.b0, b.b0}, {a.b1, b.b1},
                            {a.b2, b.b2}, {a.b12, b.b12}, {a.b11, b.b11}, {a.b22, b.b22}}),
               "a saved target file opens with other numbers");
}

void VarianceFileReadsBack(const QString& input)
{
    VarianceFileContents contents;
    contents.AnswerText = "untouched";
    if (const core::FileStatus status = ReadVarianceFile(input, contents); !status) {
        FUZZ_CHECK(contents.AnswerText == "untouched" && contents.FirstFactor.isEmpty() && contents.ProblemText.isEmpty()
                       && contents.c11 == 0 && contents.ReservedValue1 == 0,
                   "a refused variance file handed back fields: " + status.error);
        return;
    }
    VarianceProblem opened;
    ApplyVarianceFile(contents, opened);
    const QString saved = FilePath("saved.ssv");
    if (!WriteVarianceFile(opened, saved))
        return;
    VarianceFileContents reopened;
    const core::FileStatus status = ReadVarianceFile(saved, reopened);
    FUZZ_CHECK(status, "a saved variance file is refused: " + status.error);
    const RobustModel& m = opened.Robust;
    FUZZ_CHECK(reopened.FirstFactor == m.FirstFactor && reopened.SecondFactor == m.SecondFactor
                   && reopened.AnswerText == m.AnswerText,
               "a saved variance file opens with other letters or answer");
    FUZZ_CHECK(SameNumbers({{reopened.ReservedValue1, opened.ReservedValue1}, {reopened.ReservedValue2, opened.ReservedValue2},
                            {reopened.c1, m.c1}, {reopened.c2, m.c2}, {reopened.c12, m.c12}, {reopened.c11, m.c11},
                            {reopened.c22, m.c22}}),
               "a saved variance file opens with other numbers");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString input = FilePath("input");
    QFile file(input);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "cannot write the input file");
    FUZZ_CHECK(file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size)) == static_cast<qint64>(size),
               "cannot write the input file");
    file.close();
    TargetFileReadsBack(input);
    VarianceFileReadsBack(input);
    return 0;
}
