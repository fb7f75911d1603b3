#include "core/ProblemRecord.h"

#include <gtest/gtest.h>

namespace zeltomir::core {
namespace {

TEST(ProblemRecordTest, DefaultFactorNamesFollowWindows1252)
{
    const struct {
        int slot;
        char16_t expected; // 0 for an empty name
    } cases[] = {
        {1, u'A'},       {2, u'B'},       {26, u'Z'},      {27, u'['},      {28, u'\\'},
        {29, u']'},      {30, u'^'},      {31, u'_'},      {32, u'`'},      {33, u'a'},
        {58, u'z'},      {63, 0x007F},    {64, 0x20AC},    {65, 0x0081},    {66, 0x201A},
        {77, 0x008D},    {79, 0x008F},    {80, 0x0090},    {89, 0x2122},    {93, 0x009D},    {95, 0x0178},
        {96, 0x00A0},    {100, 0x00A4},   {191, 0x00FF},   {0, u'@'},       {192, 0},
        {-65, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        const QString expected = c.expected ? QString(QChar(c.expected)) : QString();
        EXPECT_EQ(DefaultFactorName(c.slot), expected);
    }
}

TEST(ProblemRecordTest, Windows1252TableCoversTheWholeHighRange)
{
    const QString expected = QString::fromUtf16(
        u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
        u"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178");
    for (int code = 0x80; code <= 0x9F; ++code) {
        SCOPED_TRACE(code);
        EXPECT_EQ(Windows1252Char(static_cast<unsigned char>(code)), expected.at(code - 0x80));
    }
    for (const int code : {0x00, 0x0A, 0x41, 0x7F, 0xA0, 0xB0, 0xE9, 0xFF}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(Windows1252Char(static_cast<unsigned char>(code)).unicode(), code);
    }
}

TEST(ProblemRecordTest, StartupPutsEveryFieldAtItsDefault)
{
    OptimizationProblem p;
    // Dirty everything first: start-up must not depend on a fresh object.
    p.NumFactors = 9;
    p.StepType = "Fixed";
    p.Goal = Goal::Target;
    p.TargetValue = 4;
    p.Stage = Stage::Steps;
    p.FirstStepPending = "no";
    p.InitialSimplexDefined = "yes";
    p.OutOfLimits = "y";
    p.Instruction = "Use the Reflection";
    p.Factors.assign(3, Factor{"x", 1, 2, 3});
    p.Simplex.redim(4, 4);
    p.Simplex.at(1, 1) = 5;

    ResetToStartup(p);

    EXPECT_EQ(p.NumFactors, 2);
    EXPECT_EQ(p.MaxFactors, 100);
    EXPECT_EQ(p.NumVertices, 3);
    EXPECT_EQ(p.StepType, "");
    EXPECT_EQ(p.Goal.text(), "max");
    EXPECT_EQ(p.TargetValue, 0);
    EXPECT_EQ(p.InitialSimplexDefined, "no");
    EXPECT_EQ(p.FirstStepPending, "yes");
    EXPECT_EQ(p.Stage.text(), "none");
    EXPECT_EQ(p.RecordResponse, 0);
    EXPECT_EQ(p.OutOfLimits, "n");
    for (const Choice<VertexType>* none : {&p.NextVertexType, &p.CurrentVertexType, &p.PreviousVertexType})
        EXPECT_TRUE(none->text().isEmpty());
    for (const QString* empty : {&p.Instruction, &p.InstructionFlag})
        EXPECT_TRUE(empty->isEmpty());

    ASSERT_EQ(p.Factors.size(), 101u);
    EXPECT_EQ(p.Factors[0].FactorName, "");
    for (int i = 1; i <= 100; ++i) {
        SCOPED_TRACE(i);
        const Factor& f = p.Factors[static_cast<std::size_t>(i)];
        EXPECT_EQ(f.FactorName, DefaultFactorName(i));
        EXPECT_EQ(f.LowerLimit, -9999999);
        EXPECT_EQ(f.UpperLimit, 9999999);
        EXPECT_EQ(f.SignificantDigits, 0);
    }
    EXPECT_EQ(p.Factors[27].FactorName, "[");

    EXPECT_EQ(p.Simplex, Matrix(101, 101));
    EXPECT_EQ(p.VertexHistory, Matrix(101, 101));
    for (const auto* table : {&p.TrialPoint, &p.Centroid, &p.StepVector, &p.ReservedVertexNumbers})
        EXPECT_EQ(*table, std::vector<double>(102, 0.0));
    EXPECT_EQ(p.ReservedVertexIntegers, std::vector<std::int16_t>(102, 0));
}

TEST(ProblemRecordTest, MatrixReadsZeroOutsideAndKeepsOverlapOnResize)
{
    Matrix m(3, 2);
    for (int c = 0; c <= 3; ++c)
        for (int r = 0; r <= 2; ++r)
            m.at(c, r) = 10 * c + r;

    for (const auto& [col, row] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {100, 100}})
        EXPECT_EQ(m.value(col, row), 0) << col << "," << row;
    EXPECT_EQ(m(3, 2), 32);

    Matrix shrunk = m;
    shrunk.redimPreserve(1, 5);
    EXPECT_EQ(shrunk.maxCol(), 1);
    EXPECT_EQ(shrunk.maxRow(), 5);
    EXPECT_EQ(shrunk.value(1, 2), 12);
    EXPECT_EQ(shrunk.value(1, 3), 0);
    EXPECT_EQ(shrunk.value(2, 2), 0);

    Matrix grown = m;
    grown.ensure(2, 7); // columns already larger: only rows grow
    EXPECT_EQ(grown.maxCol(), 3);
    EXPECT_EQ(grown.maxRow(), 7);
    for (int c = 0; c <= 3; ++c)
        for (int r = 0; r <= 2; ++r)
            EXPECT_EQ(grown.value(c, r), 10 * c + r);

    Matrix cleared = m;
    cleared.redim(3, 2);
    EXPECT_EQ(cleared, Matrix(3, 2));

    Matrix none(-5, 4);
    EXPECT_FALSE(none.contains(0, 0));
    EXPECT_EQ(none.value(0, 0), 0);
}

// The history grows by one vertex per step: with spare room, a column moves
// only now and then, however long the run, and keeps its values when it
// does. A column sized exactly would move on every row.
TEST(ProblemRecordTest, MatrixGrowingRowByRowMovesItsColumnsRarely)
{
    Matrix m(3, 0);
    int moves = 0;
    for (int row = 1; row <= 5000; ++row) {
        const double* before = m.column(3);
        m.ensure(3, row);
        moves += m.column(3) != before;
        m.at(3, row) = row;
        m.at(0, row) = -row;
    }
    EXPECT_EQ(m.maxRow(), 5000);
    EXPECT_EQ(m.maxCol(), 3);
    EXPECT_LE(moves, 25);
    for (int row = 1; row <= 5000; ++row) {
        ASSERT_EQ(m.value(3, row), row);
        ASSERT_EQ(m.value(0, row), -row);
        ASSERT_EQ(m.value(1, row), 0);
    }
    // The room is no part of the value: the same numbers compare equal
    // whether they grew or were sized at once.
    Matrix sized(3, 5000);
    for (int row = 1; row <= 5000; ++row) {
        sized.at(3, row) = row;
        sized.at(0, row) = -row;
    }
    EXPECT_EQ(m, sized);
}

#ifndef NDEBUG
TEST(ProblemRecordDeathTest, MatrixWriteOutsideTheSlotsIsCaught)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    Matrix m(2, 2);
    EXPECT_DEATH(m.at(3, 0) = 1, "");
}
#endif

TEST(ProblemRecordTest, EnsureCapacityMakesRoomForTheLargestProblem)
{
    OptimizationProblem p;
    ResetToStartup(p);
    p.Simplex.at(5, 7) = 1.5;
    p.VertexHistory.at(101, 101) = 2.5;
    p.Factors[3].FactorName = "Temp";
    p.TrialPoint[4] = 0.25;

    const int k = 100;
    const int n = 500;
    EnsureCapacity(p, k, n);

    // The last simplex cell that Begin Optimization writes at k = 100.
    p.Simplex.at(k + 4, k + 1) = 9;
    p.VertexHistory.at(k + 4, n) = 8;
    EXPECT_EQ(p.Simplex.value(5, 7), 1.5);
    EXPECT_EQ(p.VertexHistory.value(101, 101), 2.5);
    EXPECT_EQ(p.Factors[3].FactorName, "Temp");
    EXPECT_EQ(p.TrialPoint[4], 0.25);
    EXPECT_GE(p.TrialPoint.size(), static_cast<std::size_t>(n) + 1);
    EXPECT_GE(p.ReservedVertexNumbers.size(), static_cast<std::size_t>(n) + 1);
    EXPECT_GE(p.ReservedVertexIntegers.size(), static_cast<std::size_t>(n) + 1);
    EXPECT_GE(p.Factors.size(), static_cast<std::size_t>(k) + 1);
    EXPECT_GE(p.Centroid.size(), static_cast<std::size_t>(k) + 1);
    EXPECT_GE(p.StepVector.size(), static_cast<std::size_t>(k) + 1);

    // Never shrinks.
    const OptimizationProblem before = p;
    EnsureCapacity(p, 2, 3);
    EnsureCapacity(p, -7, -1);
    EXPECT_EQ(p, before);
}

TEST(ProblemRecordTest, EnsureCapacityGivesNewFactorSlotsTheirDefaults)
{
    OptimizationProblem p;
    p.Factors.assign(3, Factor{});
    EnsureCapacity(p, 6, 0);
    ASSERT_EQ(p.Factors.size(), 7u);
    EXPECT_EQ(p.Factors[2].FactorName, ""); // existing slots untouched
    for (int i = 3; i <= 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(p.Factors[static_cast<std::size_t>(i)].FactorName, DefaultFactorName(i));
        EXPECT_EQ(p.Factors[static_cast<std::size_t>(i)].LowerLimit, UndefinedLowerLimit);
        EXPECT_EQ(p.Factors[static_cast<std::size_t>(i)].UpperLimit, UndefinedUpperLimit);
    }
    // The trial on show is indexed by factor too.
    EXPECT_GE(p.TrialPoint.size(), 7u);
    EXPECT_GE(p.Simplex.maxCol(), 10);
    EXPECT_GE(p.Simplex.maxRow(), 7);
}

} // namespace
} // namespace zeltomir::core
