#include "core/StateFile.h"
#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <csignal>
#include <fstream>
#include <functional>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zeltomir::core {
namespace {

double Single(double value) { return static_cast<double>(static_cast<float>(value)); }

OptimizationProblem Startup()
{
    OptimizationProblem p;
    ResetToStartup(p);
    return p;
}

// Names the first field where two records differ, so a failed comparison of
// two large records says where to look.
std::string FirstDifference(const OptimizationProblem& a, const OptimizationProblem& b)
{
    for (std::size_t i = 0; i < std::max(a.Factors.size(), b.Factors.size()); ++i) {
        if (i >= a.Factors.size() || i >= b.Factors.size() || !(a.Factors[i] == b.Factors[i]))
            return "Factors[" + std::to_string(i) + "]";
    }
    for (int c = 0; c <= std::max(a.Simplex.maxCol(), b.Simplex.maxCol()); ++c)
        for (int r = 0; r <= std::max(a.Simplex.maxRow(), b.Simplex.maxRow()); ++r)
            if (a.Simplex.value(c, r) != b.Simplex.value(c, r))
                return "Simplex(" + std::to_string(c) + "," + std::to_string(r) + ")";
    for (int c = 0; c <= std::max(a.VertexHistory.maxCol(), b.VertexHistory.maxCol()); ++c)
        for (int r = 0; r <= std::max(a.VertexHistory.maxRow(), b.VertexHistory.maxRow()); ++r)
            if (a.VertexHistory.value(c, r) != b.VertexHistory.value(c, r))
                return "VertexHistory(" + std::to_string(c) + "," + std::to_string(r) + ")";
    if (!(a.Simplex == b.Simplex) || !(a.VertexHistory == b.VertexHistory))
        return "matrix shape";
    if (a.TrialPoint != b.TrialPoint || a.ReservedVertexNumbers != b.ReservedVertexNumbers
        || a.ReservedVertexIntegers != b.ReservedVertexIntegers)
        return "per-vertex tables";
    if (a.Centroid != b.Centroid || a.StepVector != b.StepVector)
        return "Centroid or StepVector";
    return a == b ? "nothing" : "a scalar or text field";
}

#define EXPECT_SAME_RECORD(a, b) EXPECT_TRUE((a) == (b)) << "first difference: " << FirstDifference((a), (b))

// A record full of values for k factors and n vertices. With single set,
// every number is the single-precision value of what it is otherwise, so
// the same seed gives what a read of the other record must produce.
OptimizationProblem RandomProblem(int k, int n, unsigned seed, bool single)
{
    std::mt19937 gen(seed);
    const auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(gen); };
    const auto number = [&]() {
        double v = 0;
        switch (pick(5)) {
        case 0: v = std::uniform_real_distribution<double>(-1000, 1000)(gen); break;
        case 1: v = std::uniform_real_distribution<double>(0, 1)(gen) * std::pow(10.0, pick(61) - 30); break;
        case 2: v = -std::uniform_real_distribution<double>(0, 1)(gen) * std::pow(10.0, pick(61) - 30); break;
        case 3: v = pick(2001) - 1000; break;
        default: v = 0; break;
        }
        return single ? Single(v) : v;
    };
    const auto integer = [&]() { return static_cast<std::int16_t>(pick(65536) - 32768); };
    const QString texts[] = {"", "Temp", "Druck \u20AC", "\u00B0C", "x y", "Use the Reflection", "R", "Cw", "\u65E5"};
    const auto text = [&]() { return texts[pick(static_cast<int>(std::size(texts)))]; };

    OptimizationProblem p = Startup();
    EnsureCapacity(p, k, n);
    p.NumFactors = static_cast<std::int16_t>(k);
    p.NumVertices = static_cast<std::int16_t>(n);
    p.Stage = Choice<Stage>::FromText(QStringList{"none", "DefineFactors", "SeqSimplexInitialize", "Steps", "Elsewhere"}.at(pick(5)));
    for (int i = 1; i <= k; ++i) {
        Factor& f = p.Factors[static_cast<std::size_t>(i)];
        f = {text(), number(), number(), integer()};
    }
    for (int c = 1; c <= k + 4; ++c)
        for (int j = 1; j <= k + 1; ++j)
            p.Simplex.at(c, j) = number();
    p.PreviousResult = number();
    p.LastResult = number();
    for (std::size_t v = 1; v <= static_cast<std::size_t>(n); ++v) {
        p.TrialPoint[v] = number();
        p.ReservedVertexNumbers[v] = number();
        p.ReservedVertexIntegers[v] = integer();
    }
    p.CurrentVertexType = Choice<VertexType>::FromText(text());
    for (std::size_t i = 1; i <= static_cast<std::size_t>(std::max(k, 0)); ++i) {
        p.StepVector[i] = number();
        p.Centroid[i] = number();
    }
    for (int c = 1; c <= k + 4; ++c)
        for (int v = 1; v <= n; ++v)
            p.VertexHistory.at(c, v) = number();
    p.Instruction = text();
    p.InstructionFlag = text();
    p.PreviousVertexType = Choice<VertexType>::FromText(text());
    p.Goal = Choice<Goal>::FromText(QStringList{"max", "min", "mid", "Max"}.at(pick(4)));
    p.TargetValue = number();
    p.RecordResponse = number();
    p.OutOfLimits = pick(2) ? "y" : "n";
    p.InitialSimplexDefined = pick(2) ? "yes" : "no";
    return p;
}

// What a read must leave alone: the fields the file does not carry and the
// decimals of factor slots beyond k.
OptimizationProblem ReadTarget()
{
    OptimizationProblem p = Startup();
    p.StepType = "Fixed";
    p.FirstStepPending = "no";
    p.NextVertexType = VertexType::Extension;
    p.LastObjective = 7.5;
    for (Factor& f : p.Factors)
        f.SignificantDigits = 4;
    return p;
}

OptimizationProblem WithUnstoredFieldsOf(OptimizationProblem p, const OptimizationProblem& target)
{
    p.StepType = target.StepType;
    p.FirstStepPending = target.FirstStepPending;
    p.NextVertexType = target.NextVertexType;
    p.LastObjective = target.LastObjective;
    // A read history is exactly as wide as the k it was written for.
    p.VertexHistory.redimPreserve(std::max(0, p.NumFactors + 4), p.VertexHistory.maxRow());
    for (std::size_t i = 0; i < p.Factors.size(); ++i) {
        if (i == 0 || static_cast<int>(i) > p.NumFactors)
            p.Factors[i].SignificantDigits = target.Factors[i].SignificantDigits;
    }
    return p;
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString WriteBytes(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

QByteArray Crlf(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// The text as an editor saves it "as Unicode".
QByteArray Utf16(const QByteArray& text, QStringEncoder::Encoding encoding, bool byteOrderMark)
{
    QStringEncoder encoder(encoding, byteOrderMark ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
    return encoder.encode(QString::fromUtf8(text));
}

// The first snapshot of every run: k = 2, n = 3, everything at start-up.
QList<QByteArray> StartupFileLines()
{
    QList<QByteArray> lines = {
        "none", " 2 ", " 3 ",
        "A", "-9999999 ", " 9999999 ", " 0 ", // factor 1
        "B", "-9999999 ", " 9999999 ", " 0 ", // factor 2
    };
    for (int i = 0; i < 6 * 3; ++i) // Simplex, 6 columns of 3 vertices (lines 12..29)
        lines << " 0 ";
    lines << " 0 " << " 0 "; // PreviousResult, LastResult
    for (int i = 0; i < 3 * 3; ++i) // trial point and reserved values per vertex (lines 32..40)
        lines << " 0 ";
    lines << "" << " 100 "; // CurrentVertexType, MaxFactors (line 42)
    for (int i = 0; i < 2 * 2; ++i) // StepVector, Centroid
        lines << " 0 ";
    for (int i = 0; i < 6 * 3; ++i) // VertexHistory (lines 47..64)
        lines << " 0 ";
    lines << "" << "" << "" << "max" << " 0 " << " 0 " << "n" << "no"; // lines 65..72
    return lines;
}

TEST(StateFileTest, StartupSnapshotIsTheSeventyTwoLineText)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("first.rdo");
    ASSERT_TRUE(WriteStateFile(Startup(), path));

    const QList<QByteArray> expected = StartupFileLines();
    ASSERT_EQ(expected.size(), 72);
    const QByteArray bytes = ReadBytes(path);
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    QList<QByteArray> written = bytes.split('\n');
    ASSERT_EQ(written.takeLast(), "");
    ASSERT_EQ(written.size(), 72);
    for (qsizetype i = 0; i < written.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(written[i], expected[i] + "\r");
    }
    EXPECT_EQ(bytes, Crlf(expected));

    // And it loads back as the start-up problem.
    OptimizationProblem target = ReadTarget();
    ASSERT_TRUE(ReadStateFile(path, target));
    EXPECT_SAME_RECORD(target, WithUnstoredFieldsOf(Startup(), ReadTarget()));
}

TEST(StateFileTest, RecordsSurviveWriteAndReadAtSinglePrecision)
{
    const struct {
        int k;
        int n;
    } cases[] = {{0, 0},    {0, 3},     {1, 2},     {2, 3},   {3, 4},   {5, 17},    {26, 27},
                 {27, 40},  {64, 65},   {97, 98},   {98, 150}, {100, 101}, {100, 400}, {100, 1200}, {-1, 2},
                 {-2, 5},   {-3, 1},    {-4, 3},    {-5, 0},  {-100, 4}, {-32768, 2}};
    const QTemporaryDir dir;
    unsigned seed = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "k=" << c.k << " n=" << c.n);
        ++seed;
        const OptimizationProblem original = RandomProblem(c.k, c.n, seed, false);

        // Lines follow the writer's loops: 1..count is empty for a count below 1.
        const qsizetype factors = std::max(c.k, 0);
        const qsizetype expectedLines = 15 + 6 * factors + std::max(c.k + 4, 0) * std::max(c.k + 1, 0)
                                        + (3 + std::max(c.k + 4, 0)) * c.n;
        EXPECT_EQ(StateFileLines(original).size(), expectedLines);

        const QString first = dir.filePath("first.sso");
        ASSERT_TRUE(WriteStateFile(original, first));
        OptimizationProblem loaded = ReadTarget();
        const FileStatus read = ReadStateFile(first, loaded);
        ASSERT_TRUE(read) << read.error.toStdString();
        const OptimizationProblem expected = WithUnstoredFieldsOf(RandomProblem(c.k, c.n, seed, true), ReadTarget());
        EXPECT_SAME_RECORD(loaded, expected);

        // Once at single precision, a record writes the same bytes every time.
        const QString second = dir.filePath("second.sso");
        const QString third = dir.filePath("third.sso");
        ASSERT_TRUE(WriteStateFile(loaded, second));
        OptimizationProblem again = ReadTarget();
        ASSERT_TRUE(ReadStateFile(second, again));
        ASSERT_TRUE(WriteStateFile(again, third));
        EXPECT_EQ(ReadBytes(second), ReadBytes(third));
        EXPECT_SAME_RECORD(again, loaded);

        // The in-memory forms agree with the file.
        OptimizationProblem fromLines = ReadTarget();
        ASSERT_TRUE(ParseStateFileLines(StateFileLines(original), fromLines));
        EXPECT_SAME_RECORD(fromLines, loaded);
        EXPECT_EQ(StateFileBytes(original), ReadBytes(first));
        OptimizationProblem fromBytes = ReadTarget();
        ASSERT_TRUE(ParseStateFileBytes(ReadBytes(first), fromBytes));
        EXPECT_SAME_RECORD(fromBytes, loaded);
    }
}

TEST(StateFileTest, ReadingConvertsEachValueAsItsLineKindRequires)
{
    const struct {
        const char* name;
        int line;
        QByteArray text;
        std::function<bool(const OptimizationProblem&)> holds;
    } cases[] = {
        {"limit 0.1 at single precision", 5, " 0.1 ",
         [](const OptimizationProblem& p) { return p.Factors[1].LowerLimit == Single(0.1) && Single(0.1) != 0.1; }},
        {"nine digits come back as seven", 6, " 123.456789 ",
         [](const OptimizationProblem& p) { return p.Factors[1].UpperLimit == Single(123.456789); }},
        {"decimals 2.5 round to even 2", 7, " 2.5 ", [](const OptimizationProblem& p) { return p.Factors[1].SignificantDigits == 2; }},
        {"decimals 3.5 round to even 4", 7, " 3.5 ", [](const OptimizationProblem& p) { return p.Factors[1].SignificantDigits == 4; }},
        {"decimals -2.5 round to even -2", 7, "-2.5 ", [](const OptimizationProblem& p) { return p.Factors[1].SignificantDigits == -2; }},
        {"reserved integer 1.5 rounds to 2", 34, " 1.5 ", [](const OptimizationProblem& p) { return p.ReservedVertexIntegers[1] == 2; }},
        {"reserved integer 0.5 rounds to 0", 34, " 0.5 ", [](const OptimizationProblem& p) { return p.ReservedVertexIntegers[1] == 0; }},
        {"target 0.1 at single precision", 69, " 0.1 ", [](const OptimizationProblem& p) { return p.TargetValue == Single(0.1); }},
        {"blanks around a number", 69, "   7\t ", [](const OptimizationProblem& p) { return p.TargetValue == 7; }},
        {"exponent form", 69, " 1.5E-05 ", [](const OptimizationProblem& p) { return p.TargetValue == Single(1.5e-5); }},
        {"beyond single range keeps its value", 70, " 1E+40 ", [](const OptimizationProblem& p) { return p.RecordResponse == 1e40; }},
        {"below single range becomes 0", 70, " 1E-50 ", [](const OptimizationProblem& p) { return p.RecordResponse == 0; }},
        {"largest double read as its fifteen digits write it", 70, " 1.7976931348623157E+308 ",
         [](const OptimizationProblem& p) {
             return p.RecordResponse == 1.79769313486231e308 && StateFileLines(p)[69] == " 1.79769313486231E+308 ";
         }},
        {"UTF-8 name", 4, "Temp \xC2\xB0" "C", [](const OptimizationProblem& p) { return p.Factors[1].FactorName == "Temp \u00B0C"; }},
        {"Windows-1252 name of an older file", 4, "Temp \xB0" "C \x80",
         [](const OptimizationProblem& p) { return p.Factors[1].FactorName == "Temp \u00B0C \u20AC"; }},
        {"text kept exactly, blanks included", 65, "  Use the Reflection ",
         [](const OptimizationProblem& p) { return p.Instruction == "  Use the Reflection "; }},
    };
    const QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QList<QByteArray> lines = StartupFileLines();
        lines[c.line - 1] = c.text;
        OptimizationProblem p = Startup();
        const FileStatus status = ReadStateFile(WriteBytes(dir, "case.sso", Crlf(lines)), p);
        ASSERT_TRUE(status) << status.error.toStdString();
        EXPECT_TRUE(c.holds(p));
    }
}

// Several responses go in a section after the last field (and the step
// type, when there is one), which a one-response problem never writes.
TEST(StateFileTest, TheResponsesSectionRoundTrips)
{
    for (const QString& stepType : {QString(), QStringLiteral("Fixed")}) {
        SCOPED_TRACE(stepType.toStdString());
        OptimizationProblem p = RandomProblem(2, 6, 5, true);
        p.StepType = stepType;
        const QByteArray oneResponse = StateFileBytes(p);
        p.Responses = {{"Yield", ResponseGoal::Maximize, 120, 170},
                       {"Hardness", ResponseGoal::Target, 60, 75, 67.5, 2, 0.5, 3},
                       {"Colour", ResponseGoal::TrackOnly, 0, 1}};
        p.VertexResponses.redim(3, p.NumVertices);
        for (int v = 1; v <= p.NumVertices; ++v) {
            for (int i = 1; i <= 3; ++i)
                p.VertexResponses.at(i, v) = static_cast<float>(100 * i + v + 0.25);
        }
        const QByteArray bytes = StateFileBytes(p);
        EXPECT_TRUE(bytes.startsWith(oneResponse));
        EXPECT_TRUE(bytes.mid(oneResponse.size()).startsWith("[Responses]\r\n 3 \r\nYield\r\nmax\r\n"));
        OptimizationProblem read;
        ResetToStartup(read);
        QString keptStepType;
        ASSERT_TRUE(ParseStateFileBytes(bytes, read, &keptStepType));
        EXPECT_EQ(keptStepType, stepType);
        read.StepType = keptStepType;
        EXPECT_EQ(read.Responses, p.Responses);
        EXPECT_EQ(read.VertexResponses, p.VertexResponses);
        EXPECT_EQ(StateFileBytes(read), bytes);
    }
}

// A simulated run keeps its process, noise and seed in a section after the
// responses; the seed comes back whole and the noise at the precision it was
// written with, as the noise of every vertex depends on both.
TEST(StateFileTest, TheSimulationSectionRoundTripsAfterTheResponses)
{
    for (const bool responses : {false, true}) {
        SCOPED_TRACE(responses);
        OptimizationProblem p = RandomProblem(2, 6, 5, true);
        p.StepType = QStringLiteral("Variable");
        if (responses) {
            p.Responses = {{"Yield", ResponseGoal::Maximize, 120, 170}};
            p.VertexResponses.redim(1, p.NumVertices);
        }
        const QByteArray real = StateFileBytes(p);
        p.SimulatedProcess = QStringLiteral("two-peaks");
        p.SimulationNoise = 0.3;
        p.SimulationSeed = 18446744073709551557ULL;
        const QByteArray bytes = StateFileBytes(p);
        EXPECT_TRUE(bytes.startsWith(real));
        EXPECT_EQ(bytes.mid(real.size()), "[Simulation]\r\ntwo-peaks\r\n 0.3 \r\n 18446744073709551557 \r\n");
        OptimizationProblem read;
        ResetToStartup(read);
        ASSERT_TRUE(ParseStateFileBytes(bytes, read));
        EXPECT_EQ(read.SimulatedProcess, p.SimulatedProcess);
        EXPECT_EQ(read.SimulationNoise, 0.3);
        EXPECT_EQ(read.SimulationSeed, p.SimulationSeed);
        EXPECT_EQ(read.Responses, p.Responses);
        read.StepType = p.StepType;
        EXPECT_EQ(StateFileBytes(read), bytes);
    }
}

TEST(StateFileTest, ToleratesWhatEditorsDoToAFile)
{
    const QByteArray startup = Crlf(StartupFileLines());
    QByteArray lfOnly = startup;
    lfOnly.replace("\r\n", "\n");
    QByteArray noFinalLineEnd = startup;
    noFinalLineEnd.chop(2);
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"LF line ends", lfOnly},
        {"no line end after the last line", noFinalLineEnd},
        {"byte order mark", "\xEF\xBB\xBF" + startup},
        {"blank lines after the end", startup + "\r\n  \r\n\r\n"},
    };
    const QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptimizationProblem p = ReadTarget();
        const FileStatus status = ReadStateFile(WriteBytes(dir, "edited.sso", c.bytes), p);
        ASSERT_TRUE(status) << status.error.toStdString();
        EXPECT_SAME_RECORD(p, WithUnstoredFieldsOf(Startup(), ReadTarget()));
        OptimizationProblem fromBytes = ReadTarget();
        ASSERT_TRUE(ParseStateFileBytes(c.bytes, fromBytes));
        EXPECT_SAME_RECORD(fromBytes, p);
    }
}

TEST(StateFileTest, ReadAfterFewerFactorsOffersFreshFactorsAndKeepsDecimals)
{
    OptimizationProblem p = RandomProblem(40, 41, 7, true);
    for (Factor& f : p.Factors)
        f.SignificantDigits = 6;
    ASSERT_TRUE(ParseStateFileLines(StateFileLines(Startup()), p));
    ASSERT_EQ(p.Factors.size(), 101u);
    for (std::size_t i = 3; i <= 100; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p.Factors[i].FactorName, DefaultFactorName(static_cast<int>(i)));
        EXPECT_EQ(p.Factors[i].LowerLimit, UndefinedLowerLimit);
        EXPECT_EQ(p.Factors[i].UpperLimit, UndefinedUpperLimit);
        EXPECT_EQ(p.Factors[i].SignificantDigits, 6);
    }
    EXPECT_EQ(p.Factors[1].SignificantDigits, 0); // from the file
    // Nothing of the larger problem survives in the tables.
    EXPECT_EQ(p.Simplex, Matrix(101, 101));
    EXPECT_EQ(p.VertexHistory, Matrix(6, 101)); // exactly k + 4 columns for k = 2
    EXPECT_EQ(p.TrialPoint, std::vector<double>(102, 0.0));
    EXPECT_EQ(p.Centroid, std::vector<double>(102, 0.0));
}

TEST(StateFileTest, MalformedFilesAreRejectedAndLeaveTheRecordAlone)
{
    const auto startupWith = [](int line, const QByteArray& text) {
        QList<QByteArray> lines = StartupFileLines();
        lines[line - 1] = text;
        return Crlf(lines);
    };
    const auto firstLines = [](int count) { return Crlf(StartupFileLines().mid(0, count)); };
    const auto limitsOfA = [](const QByteArray& lower, const QByteArray& upper) {
        QList<QByteArray> lines = StartupFileLines();
        lines[4] = lower;
        lines[5] = upper;
        return Crlf(lines);
    };
    const auto fileOf = [](const OptimizationProblem& p) {
        QList<QByteArray> lines;
        for (const QString& line : StateFileLines(p))
            lines << line.toUtf8();
        return lines;
    };
    QList<QByteArray> fourFactors = fileOf(RandomProblem(4, 5, 11, true));
    fourFactors[15] = "D"; // the name of factor 4, on line 16
    QList<QByteArray> saysFive = fourFactors;
    saysFive[1] = " 5 ";
    QList<QByteArray> saysThree = fourFactors;
    saysThree[1] = " 3 ";
    const QByteArray longLine(5000, 'x');

    // A section of one response, to maximise between 0 and `upper`, for
    // `vertices` vertices (the start-up record has 3).
    const auto responses = [](const QByteArray& goal, const QByteArray& upper, const QByteArray& vertices) {
        return "[Responses]\r\n1\r\nYield\r\n" + goal + "\r\n0\r\n" + upper + "\r\n0\r\n1\r\n1\r\n1\r\n" + vertices
             + "\r\n1\r\n2\r\n3\r\n";
    };
    const QString ends = "The file ends before the problem is complete.";
    const QString kWanted = "the number of factors, a whole number no larger than 100,";
    const QString nWanted = "the number of vertices, a whole number from 0 to 32767,";
    const struct {
        const char* name;
        QByteArray bytes;
        QString error;
    } cases[] = {
        {"empty file", "", "The file is empty."},
        {"only the stage", firstLines(1), ends},
        {"stops after the factor count", firstLines(2), ends},
        {"stops after the counts", firstLines(3), ends},
        {"stops inside the factors", firstLines(9), ends},
        {"stops inside the simplex", firstLines(20), ends},
        {"stops after the vertex values", firstLines(40), ends},
        {"stops one line short", firstLines(71), ends},
        {"last line cut off", firstLines(70) + "n", ends},
        {"says 5 factors but holds 4", Crlf(saysFive), ends},
        {"says 3 factors but holds 4", Crlf(saysThree), "Line 16 should hold a number but holds \"D\"."},
        {"limit not a number", startupWith(5, "abc"), "Line 5 should hold a number but holds \"abc\"."},
        {"limit with a comma", startupWith(6, " 1,5 "), "Line 6 should hold a number but holds \"1,5\"."},
        {"result beyond any double", startupWith(30, " 1E+999 "), "Line 30 should hold a number but holds \"1E+999\"."},
        {"result not finite", startupWith(31, "INF"), "Line 31 should hold a number but holds \"INF\"."},
        {"empty number line", startupWith(69, ""), "Line 69 should hold a number but holds \"\"."},
        {"limits whose range is beyond any double", limitsOfA("-1.7E+308 ", " 1.7E+308 "),
         "The range of the limits in row 1 is too large."},
        {"decimals not a number", startupWith(7, "abc"), "Line 7 should hold a whole number from -32768 to 32767 but holds \"abc\"."},
        {"decimals too large", startupWith(7, " 40000 "), "Line 7 should hold a whole number from -32768 to 32767 but holds \"40000\"."},
        {"reserved integer too small", startupWith(34, "-40000 "), "Line 34 should hold a whole number from -32768 to 32767 but holds \"-40000\"."},
        {"101 factors", startupWith(2, " 101 "), "Line 2 should hold " + kWanted + " but holds \"101\"."},
        {"32768 factors", startupWith(2, " 32768 "), "Line 2 should hold " + kWanted + " but holds \"32768\"."},
        {"fractional factor count", startupWith(2, " 2.5 "), "Line 2 should hold " + kWanted + " but holds \"2.5\"."},
        {"factor count not a number", startupWith(2, "two"), "Line 2 should hold " + kWanted + " but holds \"two\"."},
        {"negative vertex count", startupWith(3, "-1 "), "Line 3 should hold " + nWanted + " but holds \"-1\"."},
        {"40000 vertices", startupWith(3, " 40000 "), "Line 3 should hold " + nWanted + " but holds \"40000\"."},
        {"more vertices than the file holds", startupWith(3, " 30000 "), ends},
        {"MaxFactors 99", startupWith(42, " 99 "), "Line 42 should hold the largest number of factors, 100, but holds \"99\"."},
        {"over-long stage line", startupWith(1, longLine), "Line 1 is longer than 4096 characters."},
        {"over-long name line", startupWith(4, QByteArray(4097, 'n')), "Line 4 is longer than 4096 characters."},
        {"over-long line shown shortened", startupWith(5, QByteArray(60, '7') + "x"),
         "Line 5 should hold a number but holds \"" + QString(40, '7') + "...\"."},
        {"binary garbage", QByteArray("PK\x03\x04\x14\x00\x00\x00\x08\x00garbage", 17), "The file holds binary data and is not a problem file."},
        {"UTF-16 with a byte order mark", Utf16(Crlf(StartupFileLines()), QStringEncoder::Utf16LE, true),
         "The file holds UTF-16 text and cannot be read as a problem file."},
        {"UTF-16 without one", Utf16(Crlf(StartupFileLines()), QStringEncoder::Utf16BE, false),
         "The file holds UTF-16 text and cannot be read as a problem file."},
        {"carriage returns alone", Crlf(StartupFileLines()).replace("\r\n", "\r"),
         "The file uses carriage returns alone to end its lines and cannot be read as a problem file."},
        {"text that is no problem", "Dear reader,\r\nthis is a letter.\r\n", "Line 2 should hold " + kWanted + " but holds \"this is a letter.\"."},
        {"more lines than the counts call for", Crlf(StartupFileLines()) + "surprise\r\n",
         "Line 73 lies beyond the end of the problem that lines 2 and 3 describe."},
        {"a section this version does not know", Crlf(StartupFileLines()) + "[Colours]\r\n",
         "Line 73 lies beyond the end of the problem that lines 2 and 3 describe."},
        {"responses with an unknown goal", Crlf(StartupFileLines()) + responses("best", "1", "3"),
         "Line 76 should hold the goal of response 1 (max, min, target or track) but holds \"best\"."},
        {"responses with limits the wrong way round", Crlf(StartupFileLines()) + responses("max", "-1", "3"),
         "Response 1 (line 82): the lower limit must lie below the upper limit."},
        {"responses for another number of vertices", Crlf(StartupFileLines()) + responses("max", "1", "2"),
         "Line 83 should hold the number of vertices, 3, but holds \"2\"."},
        {"simulation with a negative noise", Crlf(StartupFileLines()) + "[Simulation]\r\nhill\r\n-0.5\r\n 7 \r\n",
         "Line 75 should hold the noise of the simulation, a number no smaller than 0, but holds \"-0.5\"."},
        {"simulation with a seed that is not whole", Crlf(StartupFileLines()) + "[Simulation]\r\nhill\r\n 1 \r\n 7.5 \r\n",
         "Line 76 should hold the seed of the simulation, a whole number from 0 to 18446744073709551615, but holds \"7.5\"."},
        {"simulation without a process", Crlf(StartupFileLines()) + "[Simulation]\r\n \r\n 1 \r\n 7 \r\n",
         "Line 74 should hold the name of the simulated process but is empty."},
        {"simulation before the responses", Crlf(StartupFileLines()) + "[Simulation]\r\nhill\r\n 1 \r\n 7 \r\n"
                                                + responses("max", "1", "3"),
         "Line 77 lies beyond the end of the problem that lines 2 and 3 describe."},
        {"the responses twice", Crlf(StartupFileLines()) + responses("max", "1", "3") + responses("max", "1", "3"),
         "Line 87 lies beyond the end of the problem that lines 2 and 3 describe."},
    };

    const QTemporaryDir dir;
    const OptimizationProblem before = RandomProblem(6, 9, 3, true);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptimizationProblem p = before;
        const FileStatus status = ReadStateFile(WriteBytes(dir, "bad.sso", c.bytes), p);
        EXPECT_FALSE(status);
        EXPECT_EQ(status.error, c.error);
        EXPECT_SAME_RECORD(p, before);
        // The same bytes in memory, as the fuzz target reads them.
        EXPECT_EQ(ParseStateFileBytes(c.bytes, p).error, c.error);
        EXPECT_SAME_RECORD(p, before);
    }
}

TEST(StateFileTest, PathsThatHoldNoFileAreRejected)
{
    const QTemporaryDir dir;
    const OptimizationProblem before = RandomProblem(3, 4, 5, true);
    const struct {
        const char* name;
        QString path;
        QString error;
    } cases[] = {
        {"missing file", dir.filePath("nowhere.sso"), "The file does not exist."},
        {"a folder", dir.path(), "The name is that of a folder, not a file."},
        {"no name", QString(), "No file name was given."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        OptimizationProblem p = before;
        const FileStatus status = ReadStateFile(c.path, p);
        EXPECT_FALSE(status);
        EXPECT_EQ(status.error, c.error);
        EXPECT_SAME_RECORD(p, before);
    }
}

// Reads in a child that may take 48 MiB more, far below the size limit (a pipe gets
// the start-up file). 40: read; 41: refused for memory, record unchanged.
int ReadInLittleMemory(const QString& path)
{
    const pid_t child = fork();
    if (child == 0) {
        rlim_t pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlimit cap{pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (48 << 20), RLIM_INFINITY};
        setrlimit(RLIMIT_AS, &cap);
        OptimizationProblem p = Startup();
        const FileStatus status = ReadStateFile(path, p);
        _exit(status ? 40 : status.error == "There is not enough memory left to read the file." && p == Startup() ? 41 : 42);
    }
    if (QFile pipe(path); pipe.size() == 0 && pipe.open(QIODevice::WriteOnly))
        pipe.write(Crlf(StartupFileLines()));
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST(StateFileTest, AReadTakesTheMemoryOfTheFileNotOfTheLimit)
{
    const QTemporaryDir dir;
    QFile large(dir.filePath("large.sso")); // within the size limit; its blocks are never written
    ASSERT_TRUE(mkfifo(dir.filePath("pipe.sso").toLocal8Bit(), 0600) == 0 && large.open(QIODevice::WriteOnly)
                && large.resize(100 << 20));
    EXPECT_EQ(ReadInLittleMemory(dir.filePath("pipe.sso")), 40) << "a pipe, which has no size";
#ifdef __SANITIZE_ADDRESS__
    if (!qgetenv("ASAN_OPTIONS").contains("allocator_may_return_null=1"))
        GTEST_SKIP() << "AddressSanitizer's allocator ends the program when memory runs out, unless "
                        "ASAN_OPTIONS holds allocator_may_return_null=1";
#endif
    EXPECT_EQ(ReadInLittleMemory(large.fileName()), 41) << "a file the memory left cannot hold";
}

TEST(StateFileTest, LineBreaksInsideATextFieldDoNotBreakTheFile)
{
    OptimizationProblem p = Startup();
    p.Factors[1].FactorName = "two\r\nlines";
    p.Instruction = "a\nb";
    const QStringList lines = StateFileLines(p);
    ASSERT_EQ(lines.size(), 72);
    EXPECT_EQ(lines[3], "two  lines");
    OptimizationProblem loaded = Startup();
    ASSERT_TRUE(ParseStateFileLines(lines, loaded));
    EXPECT_EQ(loaded.Instruction, "a b");

    // Nor does a name that begins with U+FEFF lose it, as a byte order mark
    // would be lost at the start of the file.
    p.Factors[1].FactorName = QStringLiteral("\uFEFFname");
    OptimizationProblem fromBytes = Startup();
    ASSERT_TRUE(ParseStateFileBytes(StateFileBytes(p), fromBytes));
    EXPECT_EQ(fromBytes.Factors[1].FactorName, p.Factors[1].FactorName);

    // A NUL character would have the whole file taken for binary data.
    p.Factors[1].FactorName = QStringLiteral("B") + QChar(0) + QStringLiteral("2");
    ASSERT_TRUE(ParseStateFileBytes(StateFileBytes(p), fromBytes));
    EXPECT_EQ(fromBytes.Factors[1].FactorName, "B 2");
}

TEST(StateFileTest, WritingWhereNoFileCanBeCreatedFails)
{
    const QTemporaryDir dir;
    const QString plainFile = WriteBytes(dir, "plain", "x");
    const QString pipe = dir.filePath("pipe"), special = "The name is that of a device, a pipe or a socket, not a "
                                                         "regular file.";
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit(), 0600), 0);
    // Without the right to make a device, the pipe stands in for it.
    const bool device = mknod(dir.filePath("null").toLocal8Bit(), S_IFCHR | 0600, makedev(1, 3)) == 0;
    const struct {
        const char* name;
        QString path;
        QString error;
    } cases[] = {
        {"under a plain file", plainFile + "/sub/problem.sso", "The file cannot be created there (Not a directory)."},
        {"a folder", dir.path(), "The name is that of a folder, not a file."},
        {"no name", QString(), "No file name was given."},
        {"a named pipe", pipe, special},
        {"a character device", device ? dir.filePath("null") : pipe, special},
    };
    for (const auto& c : cases) {
        for (const Links links : {Links::Follow, Links::NeverFollow}) {
            SCOPED_TRACE(std::string(c.name) + (links == Links::Follow ? ", following links" : ", not following"));
            const FileStatus status = WriteStateFile(Startup(), c.path, links);
            EXPECT_FALSE(status);
            EXPECT_EQ(status.error, c.error);
            EXPECT_FALSE(status.error.contains(dir.path())) << "the caller names the file, not the sentence";
        }
    }
    EXPECT_EQ(ReadBytes(plainFile), "x");
}

// Qt says only "Existing file ... is not writable" of a file it may not
// replace; the system's reason tells a read-only file system (which no test
// can mount without privileges) from a permission.
TEST(StateFileTest, AWriteRefusalNamesTheSystemsCause)
{
    const struct {
        bool existing;
        int systemError;
        const char* qtReason;
        const char* sentence;
    } cases[] = {
        {true, EROFS, "Existing file /media/stick/run.sso is not writable",
         "The file cannot be replaced (Read-only file system)."},
        {true, EACCES, "Existing file /media/stick/run.sso is not writable",
         "The file cannot be replaced (Permission denied)."},
        {true, 0, "Permission denied", "The file cannot be replaced (Permission denied)."},
        {false, 0, "Read-only file system", "The file cannot be created there (Read-only file system)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sentence);
        EXPECT_EQ(WriteRefusal(c.existing, c.systemError, QString::fromLatin1(c.qtReason)), c.sentence);
    }
}

TEST(StateFileTest, AFailedWriteLeavesTheExistingFileWhole)
{
    const QTemporaryDir dir;
    const QByteArray old = Crlf(StartupFileLines());
    const QString path = WriteBytes(dir, "kept.sso", old);

    // Root ignores permissions, so make the disk "full" instead: a file size
    // limit stops the write part-way, well before the large problem is out.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileStatus status = WriteStateFile(RandomProblem(100, 1000, 9, false), path);
    const FileStatus smallStatus = WriteStateFile(RandomProblem(3, 20, 9, false), path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    for (const FileStatus& failed : {status, smallStatus})
        EXPECT_EQ(failed.error, "The file could not be written completely (File too large).");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.sso"}) << "no temporary file left behind";
}

TEST(StateFileTest, AShorterRecordReplacesALongerFileCompletely)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("reused.sso");
    ASSERT_TRUE(WriteStateFile(RandomProblem(30, 60, 4, false), path));
    ASSERT_TRUE(QFile::link(path, dir.filePath("link.sso"))); // the save replaces what the link leads to
    ASSERT_TRUE(WriteStateFile(Startup(), dir.filePath("link.sso")));
    EXPECT_EQ(ReadBytes(path), Crlf(StartupFileLines()));
}

} // namespace
} // namespace zeltomir::core
