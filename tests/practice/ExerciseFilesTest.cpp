#include "ScriptedSource.h"

#include "practice/ExerciseFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeltomir::practice {
namespace {

QuadraticProblem HandTarget()
{
    QuadraticProblem p;
    QuadraticModel& m = p.Model;
    m.FirstFactor = "B";
    m.SecondFactor = "F";
    m.CentreFirst = 12;
    m.CentreSecond = -38;
    m.b0 = 5500;
    m.b1 = 85;
    m.b2 = 230.5F;
    m.b12 = 25;
    m.b11 = 15;
    m.b22 = 27.5F;
    ComputeQuadraticAnswer(p);
    return p;
}

VarianceProblem HandVariance()
{
    VarianceProblem v;
    RobustModel& m = v.Robust;
    m.FirstFactor = "A";
    m.SecondFactor = "D";
    m.ThirdFactor = "E";
    m.Slope = 6;
    m.ResponseTarget = 9.5;
    m.c1 = 145;
    m.c2 = 145;
    m.c12 = 17.8F;
    m.c11 = 15;
    m.c22 = 30;
    m.ProblemText = "The problem text";
    ComputeRobustAnswer(m);
    v.ReservedValue1 = 0.25F;
    return v;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(ExerciseFilesTest, TargetFileHoldsElevenLinesWithCrLf)
{
    const QuadraticProblem p = HandTarget();
    EXPECT_EQ(TargetFileLines(p), (QStringList{"B", "F", " 12 ", "-38 ", " 5500 ", " 85 ", " 230.5 ", " 25 ", " 15 ",
                                               " 27.5 ", p.AnswerText}));
    QTemporaryDir dir;
    const QString path = dir.filePath("question.sst");
    ASSERT_TRUE(WriteTargetFile(p, path));
    const QByteArray bytes = ReadAll(path);
    EXPECT_EQ(bytes.count("\r\n"), 11);
    EXPECT_EQ(bytes.count('\n'), 11);
    EXPECT_TRUE(bytes.startsWith("B\r\nF\r\n 12 \r\n-38 \r\n"));
}

TEST(ExerciseFilesTest, TargetFileRoundTripsAndOpeningRecomputesTheOptimum)
{
    const QuadraticProblem saved = HandTarget();
    QTemporaryDir dir;
    const QString path = dir.filePath("question.sst");
    ASSERT_TRUE(WriteTargetFile(saved, path));

    TargetFileContents contents;
    ASSERT_TRUE(ReadTargetFile(path, contents));
    EXPECT_EQ(contents.Model, saved.Model);
    EXPECT_EQ(contents.AnswerText, saved.AnswerText);

    QuadraticProblem opened;
    opened.CorrectCount = 3;
    opened.Answered = 1;
    ApplyTargetFile(contents, opened);
    EXPECT_EQ(opened.Model, saved.Model);
    EXPECT_EQ(opened.AnswerText, saved.AnswerText);
    EXPECT_EQ(opened.Answered, 0);
    EXPECT_EQ(opened.CorrectCount, 3); // counters are not part of the file
    EXPECT_DOUBLE_EQ(opened.OptimalResponse, saved.OptimalResponse);
}

TEST(ExerciseFilesTest, DrawnModelsComeBackToSevenDigits)
{
    testing::SeededSource source(8);
    for (int i = 0; i < 50; ++i) {
        QuadraticProblem saved;
        DrawQuadraticModel(saved.Model, true, source);
        ComputeQuadraticAnswer(saved);
        TargetFileContents contents;
        ASSERT_TRUE(ParseTargetFileLines(TargetFileLines(saved), contents));
        for (const auto& [read, written] : {std::pair{contents.Model.b0, saved.Model.b0}, {contents.Model.b1, saved.Model.b1},
                                            {contents.Model.b22, saved.Model.b22}, {contents.Model.CentreFirst, saved.Model.CentreFirst}})
            ASSERT_NEAR(read, written, std::fabs(written) * 1e-6);
    }
}

TEST(ExerciseFilesTest, NumberLinesFollowTheLeadingNumberRule)
{
    struct Case {
        const char* line;
        float value;
    };
    const Case cases[] = {
        {"1,5", 1}, {" 1 . 5 ", 1.5F}, {"abc", 0}, {"", 0}, {"-2.5e1x", -25}, {"+.5", 0.5F}, {"12 34", 1234},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        QStringList lines = TargetFileLines(HandTarget());
        lines[2] = c.line; // CentreFirst
        TargetFileContents contents;
        ASSERT_TRUE(ParseTargetFileLines(lines, contents));
        EXPECT_FLOAT_EQ(contents.Model.CentreFirst, c.value);
    }
}

TEST(ExerciseFilesTest, LfOnlyLineEndsAndAByteOrderMarkAreRead)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("unix.sst");
    WriteAll(path, "\xEF\xBB\xBF" "A\nD\n1\n2\n1000\n0\n0\n0\n10\n10\nA0D0\n");
    TargetFileContents contents;
    ASSERT_TRUE(ReadTargetFile(path, contents));
    EXPECT_EQ(contents.Model.FirstFactor, "A");
    EXPECT_FLOAT_EQ(contents.Model.CentreSecond, 2);
    EXPECT_EQ(contents.AnswerText, "A0D0");
}

TEST(ExerciseFilesTest, MalformedTargetFilesAreRefusedAndChangeNothing)
{
    const QStringList good = TargetFileLines(HandTarget());
    struct Case {
        const char* name;
        int line;        // 0-based line to replace, -1 to drop lines
        QString text;
        int keep;        // lines kept when dropping
        const char* error;
    };
    const Case cases[] = {
        {"ten lines", -1, {}, 10, "The file ends after 10 lines; a target exercise file has 11."},
        {"empty file", -1, {}, 0, "The file ends after 0 lines; a target exercise file has 11."},
        {"unknown first letter", 0, "X", 0, "Line 1 should hold the letter of the first significant factor (A, B or C)."},
        {"second letter in the first line", 0, "D", 0, "Line 1 should hold the letter of the first significant factor (A, B or C)."},
        {"empty second letter", 1, "", 0, "Line 2 should hold the letter of the second significant factor (D, E or F)."},
        {"over-long line", 10, QString(5000, 'A'), 0, "Line 11 is longer than 4096 characters."},
        {"number beyond single", 4, "1e39", 0, "Line 5 holds a number too large for this exercise."},
        {"no curvature", 8, "0", 0, "The coefficients in lines 5 to 10 do not describe a process with a single maximum."},
        {"saddle", 7, "100", 0, "The coefficients in lines 5 to 10 do not describe a process with a single maximum."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList lines = good;
        if (c.line < 0)
            lines = lines.mid(0, c.keep);
        else
            lines[c.line] = c.text;
        TargetFileContents contents;
        contents.AnswerText = "untouched";
        const core::FileStatus status = ParseTargetFileLines(lines, contents);
        EXPECT_FALSE(status.ok);
        EXPECT_EQ(status.error, c.error);
        EXPECT_EQ(contents.AnswerText, "untouched");
        EXPECT_EQ(contents.Model, QuadraticModel());
    }
}

TEST(ExerciseFilesTest, UnreadableFilesAreRefused)
{
    QTemporaryDir dir;
    const QString huge = dir.filePath("huge.sst");
    WriteAll(huge, QByteArray(1024 * 1024 + 1, ' '));
    // An editor's "Unicode" and an old Mac's line ends.
    const QByteArray lines = "A\r\nD\r\n1\r\n2\r\n1000\r\n0\r\n0\r\n0\r\n10\r\n10\r\nA0D0\r\n";
    const QString utf16 = dir.filePath("unicode.sst");
    WriteAll(utf16, "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(QString::fromLatin1(lines).utf16()),
                                             2 * lines.size()));
    const QString crAlone = dir.filePath("mac.sst");
    WriteAll(crAlone, QByteArray(lines).replace("\r\n", "\r"));
    struct Case {
        QString path;
        const char* error;
    };
    const Case cases[] = {
        {dir.filePath("missing.sst"), "The file does not exist."},
        {dir.path(), "The name is that of a folder, not a file."},
        {huge, "The file is too large to be an exercise file."},
        {QString(), "No file name was given."},
        {utf16, "The file holds UTF-16 text and cannot be read as an exercise file."},
        {crAlone, "The file uses carriage returns alone to end its lines and cannot be read as an exercise file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        TargetFileContents target;
        EXPECT_EQ(ReadTargetFile(c.path, target).error, c.error);
        VarianceFileContents variance;
        EXPECT_EQ(ReadVarianceFile(c.path, variance).error, c.error);
    }
}

TEST(ExerciseFilesTest, AFailedWriteLeavesTheOldFileWhole)
{
    QTemporaryDir dir;
    EXPECT_FALSE(WriteTargetFile(HandTarget(), dir.filePath("no/such/folder/q.sst")).ok);
    EXPECT_EQ(WriteTargetFile(HandTarget(), dir.path()).error, "The name is that of a folder, not a file.");

    const QString path = dir.filePath("kept.ssv");
    ASSERT_TRUE(WriteVarianceFile(HandVariance(), path));
    const QByteArray before = ReadAll(path);
    // The older window has no question yet: nothing is written.
    const core::FileStatus status = WriteVarianceFile(VarianceProblem(), path);
    EXPECT_FALSE(status.ok);
    // Nor is a model that would not open again: an interaction of 1.9999999
    // beside curvatures of 1 leaves a single maximum (a flat point) until the
    // file writes it as 2.
    QuadraticProblem target = HandTarget();
    VarianceProblem variance = HandVariance();
    target.Model.b11 = target.Model.b22 = variance.Robust.c11 = variance.Robust.c22 = 1;
    target.Model.b12 = variance.Robust.c12 = 1.9999999F;
    const QString why = "Written with the seven significant digits that the file keeps, this exercise could not be "
                        "opened again. The coefficients in lines ";
    EXPECT_EQ(WriteTargetFile(target, path).error, why + "5 to 10 do not describe a process with a single maximum.");
    EXPECT_EQ(WriteVarianceFile(variance, path).error, why + "6 to 10 do not describe a process with a single flat point.");
    EXPECT_EQ(ReadAll(path), before);
}

TEST(ExerciseFilesTest, VarianceFileHoldsThirteenLines)
{
    const VarianceProblem v = HandVariance();
    EXPECT_EQ(VarianceFileLines(v), (QStringList{"A", "D", " 0.25 ", " 0 ", "", " 145 ", " 145 ", " 17.8 ", " 15 ",
                                                 " 30 ", "A7.61D4.67E0.1H", "", "The problem text"}));
    QTemporaryDir dir;
    const QString path = dir.filePath("question.ssv");
    ASSERT_TRUE(WriteVarianceFile(v, path));
    EXPECT_EQ(ReadAll(path).count("\r\n"), 13);
}

TEST(ExerciseFilesTest, OpeningAVarianceFileReplacesOnlyItsFields)
{
    QStringList lines = VarianceFileLines(HandVariance());
    lines[0] = "B";
    lines[1] = "E";
    lines[3] = " 7,5 ";
    lines[4] = "ignored";
    lines[11] = "ignored too";
    lines[12] = "a text from elsewhere";
    VarianceFileContents contents;
    ASSERT_TRUE(ParseVarianceFileLines(lines, contents));
    EXPECT_FLOAT_EQ(contents.ReservedValue2, 7);

    VarianceProblem v;
    v.Robust.FirstFactor = "C";
    v.Robust.SecondFactor = "F";
    v.Robust.ThirdFactor = "A";
    v.Robust.Slope = 5.5F;
    v.Robust.ResponseTarget = 8.1;
    v.Robust.ProblemText = "drawn text";
    v.Answered = 1;
    v.IncorrectCount = 2;
    const VarianceModel before = v.Model;
    ApplyVarianceFile(contents, v);
    EXPECT_EQ(v.Robust.FirstFactor, "B");
    EXPECT_EQ(v.Robust.SecondFactor, "E");
    EXPECT_EQ(v.Robust.ThirdFactor, "A");
    EXPECT_FLOAT_EQ(v.Robust.c12, 17.8F);
    EXPECT_EQ(v.Robust.AnswerText, "A7.61D4.67E0.1H");
    EXPECT_FLOAT_EQ(v.Robust.Slope, 5.5F);
    EXPECT_DOUBLE_EQ(v.Robust.ResponseTarget, 8.1);
    EXPECT_EQ(v.Robust.ProblemText, "drawn text");
    EXPECT_FLOAT_EQ(v.ReservedValue1, 0.25F);
    EXPECT_FLOAT_EQ(v.ReservedValue2, 7);
    EXPECT_EQ(v.Answered, 0);
    EXPECT_EQ(v.IncorrectCount, 2);
    EXPECT_EQ(v.Model, before);
}

TEST(ExerciseFilesTest, AThirdFactorClashingWithTheLoadedLettersBecomesG)
{
    QStringList lines = VarianceFileLines(HandVariance());
    lines[1] = "E";
    VarianceFileContents contents;
    ASSERT_TRUE(ParseVarianceFileLines(lines, contents));
    VarianceProblem v;
    v.Robust.ThirdFactor = "E";
    ApplyVarianceFile(contents, v);
    EXPECT_EQ(v.Robust.ThirdFactor, "G");
}

TEST(ExerciseFilesTest, MalformedVarianceFilesAreRefused)
{
    const QStringList good = VarianceFileLines(HandVariance());
    struct Case {
        const char* name;
        int line;
        QString text;
        const char* error;
    };
    const Case cases[] = {
        {"twelve lines", -1, {}, "The file ends after 12 lines; a variance exercise file has 13."},
        {"unknown letter", 1, "G", "Line 2 should hold the letter of the second factor (D, E or F)."},
        {"no flat point", 8, "0", "The coefficients in lines 6 to 10 do not describe a process with a single flat point."},
        {"huge coefficient", 5, "4e38", "Line 6 holds a number too large for this exercise."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList lines = good;
        if (c.line < 0)
            lines.removeLast();
        else
            lines[c.line] = c.text;
        if (QString(c.name) == "no flat point") {
            lines[7] = "0"; // with c11 = c12 = c22 = 0 the surface is a plane
            lines[9] = "0";
        }
        VarianceFileContents contents;
        contents.AnswerText = "untouched";
        const core::FileStatus status = ParseVarianceFileLines(lines, contents);
        EXPECT_FALSE(status.ok);
        if (c.error) {
            EXPECT_EQ(status.error, c.error);
        }
        EXPECT_EQ(contents.AnswerText, "untouched");
    }
}

} // namespace
} // namespace zeltomir::practice
