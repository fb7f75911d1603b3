#include "CliTestSupport.h"

#include "cli/CliHelp.h"

#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <streambuf>

namespace zeltomir::cli {
namespace {

using test::CornerFactors;
using test::InteriorStart;
using test::RunOptimize;
using test::Session;
using test::SixteenFactors;
using Lines = std::vector<std::string>;

TEST(OptimizeSession, ShowsTheCornerSimplexBeforeReadingAndTheFirstTrialByGoal)
{
    // Results 1, 2, 3 for the rows (10,5), (0,15), (0,5); coded (1,0), (0,1), (0,0).
    struct Case {
        QStringList goal;
        std::string firstTrial;
    };
    const Case cases[] = {
        // Maximising, row 1 is worst: its reflection (-1,1) and the forward
        // contraction (-0.5,0.75) leave the box; the reverse contraction (0.5,0.25) is used.
        {{"--goal", "max"}, "trial 4 Cw: Contract in the Reverse Direction: A=5 B=7.5"},
        {{}, "trial 4 Cw: Contract in the Reverse Direction: A=5 B=7.5"},
        // A target of 10 for max counts for nothing.
        {{"--target", "10"}, "trial 4 Cw: Contract in the Reverse Direction: A=5 B=7.5"},
        // Minimising, row 3 is worst: reflected through (0.5,0.5) to (1,1).
        {{"--goal", "min"}, "trial 4 R: Evaluate the Reflection (R): A=10 B=15"},
        // Target 2: row 2 hits it and is best; rows 1 and 3 tie, and the
        // ranking leaves row 1 worst, as when maximising.
        {{"--goal", "mid", "--target", "2"}, "trial 4 Cw: Contract in the Reverse Direction: A=5 B=7.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.goal.join(' ').toStdString());
        const Session session = RunOptimize(c.goal + CornerFactors(), "1\n2\n3\n");
        EXPECT_EQ(session.status, ExitSuccess);
        ASSERT_GE(session.lines.size(), 4u);
        EXPECT_EQ(Lines(session.lines.begin(), session.lines.begin() + 4),
                  (Lines{"initial 1: A=10 B=5", "initial 2: A=0 B=15", "initial 3: A=0 B=5", c.firstTrial}));
    }
}

TEST(OptimizeSession, InitialEventsComeOutEvenWhenNoResultFollows)
{
    const Session session = RunOptimize(CornerFactors(), "");
    EXPECT_EQ(session.status, ExitCannotGoOn);
    EXPECT_EQ(session.lines, (Lines{"initial 1: A=10 B=5", "initial 2: A=0 B=15", "initial 3: A=0 B=5",
                                    "message Input Error: The input ended after 0 of the 3 results of the "
                                    "initial simplex."}));
}

// An input that notes what had been written when the first result was asked for.
class WatchedInput : public std::streambuf {
public:
    WatchedInput(std::string text, const std::ostringstream& out)
        : m_text(std::move(text))
        , m_out(out)
    {
    }
    std::optional<std::string> writtenBeforeFirstRead;

protected:
    int_type underflow() override
    {
        if (!writtenBeforeFirstRead)
            writtenBeforeFirstRead = m_out.str();
        if (m_done)
            return traits_type::eof();
        m_done = true;
        setg(m_text.data(), m_text.data(), m_text.data() + m_text.size());
        return traits_type::to_int_type(m_text.front());
    }

private:
    std::string m_text;
    const std::ostringstream& m_out;
    bool m_done = false;
};

TEST(OptimizeSession, EveryInitialRowIsWrittenBeforeAnyResultIsReadAndTargetCountsOnlyForMid)
{
    std::ostringstream out;
    WatchedInput watched("1\n2\n3\n", out);
    std::istream in(&watched);
    OptimizeCommand command(in, out);
    EXPECT_EQ(command.run(QStringList{"--target", "7"} + CornerFactors()), ExitSuccess);
    EXPECT_EQ(watched.writtenBeforeFirstRead,
              std::optional<std::string>("initial 1: A=10 B=5\ninitial 2: A=0 B=15\ninitial 3: A=0 B=5\n"));
    EXPECT_EQ(command.problem().Goal.text(), "max");
    EXPECT_EQ(command.problem().TargetValue, 0);

    std::istringstream results("1\n2\n3\n");
    std::ostringstream ignored;
    OptimizeCommand targeted(results, ignored);
    EXPECT_EQ(targeted.run(QStringList{"--goal", "mid", "--target", "0.1"} + CornerFactors()), ExitSuccess);
    EXPECT_EQ(targeted.problem().TargetValue, static_cast<double>(0.1f));
}

// Worked by hand on coded levels (level / 16). Start (after ranking, worst
// first): v1 (.25,.25) 1, v3 (.25,.5) 2, v2 (.5,.25) 3.
//  v4 R  (.5,.5)      result 5 > best 3: extension (.625,.625)
//  v5 E  (.625,.625)  result 7 >= 5: kept; simplex v3, v2 2..3 -> C (.5625,.4375), R (.875,.375)
//  v6 R  (.875,.375)  result 4 between 3 and 7: kept; simplex v2 | v6, v5 -> R (1,.75)
//  v7 R  (1,.75)      result 1 below rejected 3: contraction R - 1.5D = (.625,.375)
//  v8 Cw (.625,.375)  result 3.5: kept; simplex v6 | v8, v5 -> R (.375,.625)
const std::string InteriorSteps = "5\n7\n4\n1\n3.5\n";

const Lines InteriorTrials = {
    "trial 4 R: Evaluate the Reflection (R): A=8 B=8",
    "trial 5 E: Evaluate the Extension: A=10 B=10",
    "trial 6 R: Use the Extension: A=14 B=6",
    "trial 7 R: Use the Reflection: A=16 B=12",
    "trial 8 Cw: Contract in the Reverse Direction: A=10 B=6",
    "trial 9 R: Use the Reflection: A=6 B=10",
};

const Lines InteriorSummary = {
    "vertex 1: A=4.0 B=4.0 result=1 type=Initial retained=1",
    "vertex 2: A=8.0 B=4.0 result=3 type=Initial retained=3",
    "vertex 3: A=4.0 B=8.0 result=2 type=Initial retained=2",
    "vertex 4: A=8.0 B=8.0 result=5 type=Reflection retained=0",
    "vertex 5: A=10.0 B=10.0 result=7 type=Extension retained=3",
    "vertex 6: A=14.0 B=6.0 result=4 type=Reflection retained=2",
    "vertex 7: A=16.0 B=12.0 result=1 type=Reflection retained=0",
    "vertex 8: A=10.0 B=6.0 result=3.5 type=Cw retained=1",
};

TEST(OptimizeSession, RunsStepsByHandWorkedRulesAndEndsWithTheVertexSummary)
{
    const Session session = RunOptimize(SixteenFactors(), InteriorStart + InteriorSteps);
    EXPECT_EQ(session.status, ExitSuccess);
    Lines expected = {"initial 1: A=16 B=0", "initial 2: A=0 B=16", "initial 3: A=0 B=0"};
    expected.insert(expected.end(), InteriorTrials.begin(), InteriorTrials.end());
    expected.insert(expected.end(), InteriorSummary.begin(), InteriorSummary.end());
    EXPECT_EQ(session.lines, expected);
}

TEST(OptimizeSession, BadLinesAreReportedAndSkippedLikeTheStepsWindow)
{
    const std::string input = InteriorStart + "# the reflection\n\n   \n5\nabc\n7 @ 1\n7 @ 1 2 3\n\n"
                              "7\r\n  # indented comment\n4\n";
    const Session session = RunOptimize(SixteenFactors(), input);
    EXPECT_EQ(session.status, ExitSuccess);
    const Lines expected = {
        "initial 1: A=16 B=0",
        "initial 2: A=0 B=16",
        "initial 3: A=0 B=0",
        InteriorTrials[0],
        InteriorTrials[1],
        "message Data Input Error: The result must be numeric.",
        "message Input Error: Line 9: expected 2 levels after \"@\" but found 1. The line is skipped.",
        "message Input Error: Line 10: expected 2 levels after \"@\" but found 3. The line is skipped.",
        InteriorTrials[2],
        InteriorTrials[3],
    };
    ASSERT_GE(session.lines.size(), expected.size());
    EXPECT_EQ(Lines(session.lines.begin(), session.lines.begin() + 10), expected);
}

// The lines that stand for Measure Again, Trial Failed and Correct Result,
// after the initial simplex of InteriorStart (trial 4 (8,8) on show): what
// each writes before the vertex summary, and a line of the summary (for a
// refused line its last: nothing is recorded). The next line after a
// refused one answers the trial on show.
TEST(OptimizeSession, CommandLinesWorkAsTheStepsWindowsCommands)
{
    struct Case {
        std::string input;
        Lines events;
        std::string vertexLine;
    };
    const std::string again1 = "trial 4 A: Measure Vertex 1 Again: A=4 B=4";
    const std::string usageAgain = "message Input Error: Line 4: \"again\" is written as \"again N\", N the number "
                                   "of a vertex of the current simplex, with no levels. The line is skipped.";
    const std::string usageCorrect = "message Input Error: Line 4: \"correct\" is written as \"correct N VALUE\" "
                                     "(\"correct N NAME=VALUE\" with several responses), N the number of a vertex "
                                     "and VALUE its result, with no levels. The line is skipped.";
    const std::string unchanged = "vertex 3: A=4.0 B=8.0 result=2 type=Initial retained=1";
    const Case cases[] = {
        // Vertex 1 measured again as 0.5 stays the lowest: its reflection
        // through (6,6) is proposed.
        {"again 1\n0.5\n", {again1, "trial 5 R: Use the Reflection: A=8 B=8"},
         "vertex 4: A=4.0 B=4.0 result=0.5 type=Again retained=1 status=again"},
        {"AGAIN 1\n0.5 @ 4 4\n", {again1, "message Input Error: Line 5: vertex 1 is measured again at the levels it "
                                           "was run at; give the line without \"@\" and levels. The line is skipped."},
         unchanged},
        {"again 7\n", {"message Input Error: Vertex 7 is not in the current simplex."}, unchanged},
        {"5\nagain 1\n", {InteriorTrials[1], "message Notice: Finish the step in progress before measuring a vertex "
                                              "again."},
         "vertex 4: A=8.0 B=8.0 result=5 type=Reflection retained=0"},
        {"again\n", {usageAgain}, unchanged},
        {"again 1.0\n", {usageAgain}, unchanged},
        {"again 1 @ 4 4\n", {usageAgain}, unchanged},
        // The failed reflection is the worst: the contraction toward the
        // side it left, (6,6) - (1,1).
        {"failed\n", {"trial 5 Cw: Contract in the Reverse Direction: A=5 B=5"},
         "vertex 4: A=8.0 B=8.0 result=0 type=Reflection retained=0 status=failed"},
        {"failed @ 9 8\n", {"trial 5 Cw: Contract in the Reverse Direction: A=5 B=5"},
         "vertex 4: A=9.0 B=8.0 result=0 type=Reflection retained=0 status=failed"},
        {"again 1\nfailed\n", {again1, "trial 5 R: Use the Reflection: A=8 B=8"},
         "vertex 4: A=4.0 B=4.0 result=0 type=Again retained=1 status=failed"},
        {"failed now\n", {"message Input Error: Line 4: \"failed\" is written alone, or with \"@\" and the levels "
                          "run. The line is skipped."},
         unchanged},
        // Vertex 1, now the best, is no longer reflected: vertex 3 is, through (6,4).
        {"correct 1 9\n", {"trial 4 R: Use the Reflection: A=8 B=0"},
         "vertex 1: A=4.0 B=4.0 result=9 type=Initial retained=1 status=corrected first_result=1"},
        // Vertex 1 has left the simplex of (4,8), (8,4), (10,10).
        {"5\n7\ncorrect 1 9\n", {InteriorTrials[1], InteriorTrials[2],
                                  "message Notice: The correction is recorded.  The trials already run were chosen "
                                  "with the first value and stay as they are."},
         "vertex 5: A=10.0 B=10.0 result=7 type=Extension retained=1"},
        {"correct 9 1\n", {"message Input Error: There is no vertex 9."}, unchanged},
        {"correct 2 x\n", {"message Data Input Error: The result must be numeric."}, unchanged},
        {"correct 1\n", {usageCorrect}, unchanged},
        {"correct x 5\n", {usageCorrect}, unchanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const Session session = RunOptimize(SixteenFactors(), InteriorStart + c.input);
        EXPECT_EQ(session.status, ExitSuccess);
        ASSERT_GE(session.lines.size(), 4u);
        const auto summary = std::find_if(session.lines.begin(), session.lines.end(),
                                          [](const std::string& line) { return line.starts_with("vertex "); });
        Lines expected{InteriorTrials[0]};
        expected.insert(expected.end(), c.events.begin(), c.events.end());
        EXPECT_EQ(Lines(session.lines.begin() + 3, summary), expected);
        if (c.vertexLine == unchanged)
            EXPECT_EQ(session.lines.back(), unchanged);
        else
            EXPECT_NE(std::find(summary, session.lines.end(), c.vertexLine), session.lines.end());
    }

    // Before the first trial they are refused, and the row waits for its result.
    const Session initial = RunOptimize(SixteenFactors(), "1 @ 4 4\nfailed\n3 @ 8 4\n2 @ 4 8\n");
    EXPECT_EQ(initial.status, ExitSuccess);
    ASSERT_GE(initial.lines.size(), 5u);
    EXPECT_EQ(initial.lines[3], "message Input Error: Line 2: \"failed\" is for the optimization steps; the next "
                                "line gives the result of row 2 of the initial simplex. The line is skipped.");
    EXPECT_EQ(initial.lines[4], InteriorTrials[0]);
}

TEST(OptimizeSession, LevelsAfterTheAtSignAreTheLevelsRecorded)
{
    // The first trial is run at (9,8) instead of (8,8): the vertex records
    // 9, while the extension still grows from the proposed reflection.
    const Session session = RunOptimize(SixteenFactors(), InteriorStart + "5 @ 9 8\n");
    const Lines expected = {
        "trial 5 E: Evaluate the Extension: A=10 B=10",
        "vertex 1: A=4.0 B=4.0 result=1 type=Initial retained=1",
        "vertex 2: A=8.0 B=4.0 result=3 type=Initial retained=1",
        "vertex 3: A=4.0 B=8.0 result=2 type=Initial retained=1",
        "vertex 4: A=9.0 B=8.0 result=5 type=Reflection retained=0",
    };
    ASSERT_EQ(session.lines.size(), 4u + expected.size());
    EXPECT_EQ(Lines(session.lines.begin() + 4, session.lines.end()), expected);

    // A level that is no number is the engine's to refuse; the trial stays.
    const Session refused = RunOptimize(SixteenFactors(), InteriorStart + "5 @ x 8\n5\n");
    ASSERT_GE(refused.lines.size(), 6u);
    EXPECT_EQ(refused.lines[4], "message Data Input Error: The level of factor A is not numeric.");
    EXPECT_EQ(refused.lines[5], InteriorTrials[1]);

    // So is one beyond its factor's limits: nothing is recorded.
    const Session beyond = RunOptimize(SixteenFactors(), InteriorStart + "5 @ 17 8\n5\n");
    ASSERT_GE(beyond.lines.size(), 6u);
    EXPECT_EQ(beyond.lines[4], "message Data Input Error: The level of factor A is greater than the upper limit you "
                               "specified.  The upper limit specified was 16.");
    EXPECT_EQ(beyond.lines[5], InteriorTrials[1]);
}

TEST(OptimizeSession, FixedStepsAcceptEveryVertex)
{
    // v4 (.5,.5) result 5 is accepted at once: simplex v3 | v2, v4 -> R (.75,.25).
    // v5 (.75,.25) result 0, worse than all, is still accepted: v2 | v5, v4 -> R (.75,.5).
    const Session session = RunOptimize(QStringList{"--steps", "fixed"} + SixteenFactors(), InteriorStart + "5\n0\n");
    ASSERT_GE(session.lines.size(), 6u);
    EXPECT_EQ(Lines(session.lines.begin() + 3, session.lines.begin() + 6),
              (Lines{"trial 4 R: Evaluate the Reflection (R): A=8 B=8", "trial 5 R: Use the Reflection: A=12 B=4",
                     "trial 6 R: Use the Reflection: A=12 B=8"}));
}

TEST(OptimizeSession, FactorCellsAreCommittedByTheFactorGridsRules)
{
    // Decimals of 0 are stored as 5; limits written with an exponent are numbers.
    const Session session =
        RunOptimize({"--factor", "Temp=0..1e1/0", "--factor", "Time=5..15/-2", "--goal", "min"}, "1\n2\n3\n");
    EXPECT_EQ(session.status, ExitSuccess);
    EXPECT_EQ(session.lines[0], "initial 1: Temp=10 Time=5");
    ASSERT_EQ(session.lines.size(), 7u);
    EXPECT_EQ(session.lines[4], "vertex 1: Temp=10.00000 Time=5.00000 result=1 type=Initial retained=1");
}

TEST(OptimizeSession, ColumnWarningIsShownAndTheSessionGoesOn)
{
    // A is 5 in every row: coded (.5,0), (.5,1), (.5,.5). Maximising, row 1 is
    // worst; C (.5,.75), R (.5,1.5) and C + D/2 (.5,1.125) leave the box,
    // C - D/2 = (.5,.375).
    const Session session = RunOptimize(CornerFactors(), "1 @ 5 5\n2 @ 5 15\n3 @ 5 10\n");
    EXPECT_EQ(session.status, ExitSuccess);
    ASSERT_GE(session.lines.size(), 5u);
    EXPECT_EQ(session.lines[3], "message Data Entry Error: All values in column 1 are the same.");
    EXPECT_EQ(session.lines[4], "trial 4 Cw: Contract in the Reverse Direction: A=5 B=8.75");
}

TEST(OptimizeSession, ResultsKeepTheirStoredSinglePrecision)
{
    // 0.1 is held as the single-precision value: 15 digits in text, all of
    // its digits in JSON.
    const Session text = RunOptimize(CornerFactors(), "0.1\n20\n5\n");
    ASSERT_EQ(text.lines.size(), 7u);
    EXPECT_EQ(text.lines[4], "vertex 1: A=10.00 B=5.0 result=0.100000001490116 type=Initial retained=1");
    const Session json = RunOptimize(QStringList{"--json"} + CornerFactors(), "0.1\n20\n5\n");
    ASSERT_EQ(json.lines.size(), 7u);
    EXPECT_EQ(json.lines[4], R"({"event":"vertex","vertex":1,"levels":["10.00","5.0"],"values":[10,5],)"
                             R"("result":0.10000000149011612,"type":"Initial","retained":1,"status":"measured"})");
}

TEST(OptimizeSession, JsonModeWritesOneObjectPerEvent)
{
    const Session session = RunOptimize(QStringList{"--json"} + SixteenFactors(), InteriorStart + "5\nabc\n7\n");
    EXPECT_EQ(session.status, ExitSuccess);
    const Lines expected = {
        R"j({"event":"initial","row":1,"levels":[16,0]})j",
        R"j({"event":"initial","row":2,"levels":[0,16]})j",
        R"j({"event":"initial","row":3,"levels":[0,0]})j",
        R"j({"event":"trial","vertex":4,"type":"R","instruction":"Evaluate the Reflection (R)","levels":[8,8]})j",
        R"j({"event":"trial","vertex":5,"type":"E","instruction":"Evaluate the Extension","levels":[10,10]})j",
        R"j({"event":"message","title":"Data Input Error","text":"The result must be numeric."})j",
        R"j({"event":"trial","vertex":6,"type":"R","instruction":"Use the Extension","levels":[14,6]})j",
        R"j({"event":"vertex","vertex":1,"levels":["4.0","4.0"],"values":[4,4],"result":1,"type":"Initial","retained":1,"status":"measured"})j",
        R"j({"event":"vertex","vertex":2,"levels":["8.0","4.0"],"values":[8,4],"result":3,"type":"Initial","retained":2,"status":"measured"})j",
        R"j({"event":"vertex","vertex":3,"levels":["4.0","8.0"],"values":[4,8],"result":2,"type":"Initial","retained":2,"status":"measured"})j",
        R"j({"event":"vertex","vertex":4,"levels":["8.0","8.0"],"values":[8,8],"result":5,"type":"Reflection","retained":0,"status":"measured"})j",
        R"j({"event":"vertex","vertex":5,"levels":["10.0","10.0"],"values":[10,10],"result":7,"type":"Extension","retained":1,"status":"measured"})j",
    };
    EXPECT_EQ(session.lines, expected);
}

TEST(OptimizeSession, JsonVertexEventsCarryTheStatus)
{
    const Session session = RunOptimize(QStringList{"--json"} + SixteenFactors(),
                                        InteriorStart + "correct 2 4.5\nagain 2\nfailed\n");
    ASSERT_EQ(session.lines.size(), 3u + 4u + 4u);
    EXPECT_EQ(session.lines[5], R"j({"event":"trial","vertex":4,"type":"A","instruction":"Measure Vertex 2 Again",)j"
                                R"j("levels":[8,4]})j");
    EXPECT_EQ(session.lines[8], R"j({"event":"vertex","vertex":2,"levels":["8.0","4.0"],"values":[8,4],"result":4.5,)j"
                                R"j("type":"Initial","retained":1,"status":"corrected","first_result":3})j");
    EXPECT_EQ(session.lines[10], R"j({"event":"vertex","vertex":4,"levels":["8.0","4.0"],"values":[8,4],"result":0,)j"
                                R"j("type":"Again","retained":1,"status":"failed"})j");
}

TEST(OptimizeSession, JsonAdviceIsWrittenWhenItChanges)
{
    // An initial simplex 0.08 wide, below the resolution 0.1 of one decimal.
    // The reflection (4.08,4.08), better than all, leaves the simplex as it
    // is until its extension is measured; the extension (4.12,4.12), kept,
    // makes the simplex 0.12 wide, and the advice is gone again.
    const Session session = RunOptimize(QStringList{"--json"} + SixteenFactors(),
                                        "1 @ 4 4\n3 @ 4.08 4\n2 @ 4 4.08\n5\n7\n");
    ASSERT_GE(session.lines.size(), 8u);
    EXPECT_EQ(Lines(session.lines.begin() + 3, session.lines.begin() + 8),
              (Lines{R"j({"event":"trial","vertex":4,"type":"R","instruction":"Evaluate the Reflection (R)",)j"
                     R"j("levels":[4.08,4.08]})j",
                     R"j({"event":"advice","vertex":3,"advice":[{"rule":"below-resolution","text":"The simplex )j"
                     R"j(is now smaller than the factors can be set at the shown decimals: further trials repeat )j"
                     R"j(levels already run."}]})j",
                     R"j({"event":"trial","vertex":5,"type":"E","instruction":"Evaluate the Extension",)j"
                     R"j("levels":[4.12,4.12]})j",
                     R"j({"event":"trial","vertex":6,"type":"R","instruction":"Use the Extension","levels":[4.2,4]})j",
                     R"j({"event":"advice","vertex":5,"advice":[]})j"}));
}

TEST(OptimizeSession, JsonEscapesAFactorNameInMessages)
{
    const Session session = RunOptimize({"--json", "--factor", R"(Q"t\=0..10/2)", "--factor", "B=5..15/1"},
                                        "1 @ x 5\n2\n3\n");
    EXPECT_EQ(session.status, ExitCannotGoOn);
    ASSERT_EQ(session.lines.size(), 5u);
    EXPECT_EQ(session.lines[3], R"({"event":"message","title":"Data Input Error",)"
                                R"("text":"The level for factor Q\"t\\ in row 1 is not numeric."})");
    // The refused line left row 1 to the next; the lines taken are listed, quoted.
    EXPECT_EQ(session.lines[4], R"({"event":"message","title":"Input Error","text":"The input ended after 2 of )"
                                R"(the 3 results of the initial simplex. The results received so far, as lines to )"
                                R"(give again: \"2\", \"3\"."})");
}

// Each row's factor name holds characters that would break or hide part of
// a line; the event at `line` shows them escaped.
TEST(OptimizeSession, TextKeepsEachEventOnItsLineWhateverTheNames)
{
    struct Case {
        QString name;
        std::string input;
        std::size_t line;
        std::string text;
    };
    const Case cases[] = {
        {"A\nmessage Fake Error: injected", "", 0, "initial 1: A\\nmessage Fake Error: injected=10 B=5"},
        {QString("T\r\x01\x7f°") + QChar(0x85) + QChar(0x2028), "", 1,
         "initial 2: T\\r\\x01\\x7f°\\x85\\u2028=0 B=15"},
        // The bidirectional controls, which would show the line in another
        // order; their neighbours U+202F and U+206A are kept.
        {QString("R") + QChar(0x202A) + QChar(0x202E) + QChar(0x202F) + QChar(0x2066) + QChar(0x2069) + QChar(0x206A),
         "", 0, "initial 1: R\\u202a\\u202e\u202f\\u2066\\u2069\u206a=10 B=5"},
        {"Q\t\\", "1 @ x 5\n2\n3\n", 3,
         "message Data Input Error: The level for factor Q\\t\\\\ in row 1 is not numeric."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const Session session = RunOptimize({"--factor", c.name + "=0..10/2", "--factor", "B=5..15/1"}, c.input);
        ASSERT_GT(session.lines.size(), c.line);
        EXPECT_EQ(session.lines[c.line], c.text);
    }
}

// The first line where an output parts from the expected one, rather than
// two pages of text.
testing::AssertionResult SameOutput(const std::string& written, const std::string& expected)
{
    const Lines got = test::SplitLines(written);
    const Lines wanted = test::SplitLines(expected);
    for (std::size_t i = 0; i < std::max(got.size(), wanted.size()); ++i) {
        const std::string line = i < got.size() ? got[i] : "(no line)";
        const std::string want = i < wanted.size() ? wanted[i] : "(no line)";
        if (line != want)
            return testing::AssertionFailure() << "line " << i + 1 << " is\n  " << line << "\nnot\n  " << want;
    }
    if (written != expected)
        return testing::AssertionFailure() << "the lines agree but their ends do not";
    return testing::AssertionSuccess();
}

// 130 vertices: the vertex summary is written in several blocks of rows.
// The expected files hold what the build that formed the whole summary
// before writing any of it wrote; the JSON one has changed since in its
// advice events, when the kept-vertex advice came to wait for the best
// vertex, and in its vertex events, which came to carry each vertex's status.
TEST(OptimizeSession, LongSessionWritesTheSameBytesAsTheWholeSummaryDid)
{
    std::string input;
    for (int i = 0; i < 130; ++i)
        input += std::to_string(i * 7919 % 1000 - 250) + '\n';
    const QStringList arguments{"--goal", "mid", "--target", "75", "--factor", "Temp °C=-20..80/1", "--factor",
                                "Time=0.5..4/2", "--factor", "Rate=100..20000/0"};
    const std::pair<QStringList, QString> cases[] = {
        {{}, "long-session.txt"},
        {{"--json"}, "long-session.jsonl"},
    };
    for (const auto& [extra, name] : cases) {
        SCOPED_TRACE(name.toStdString());
        QFile expected(QStringLiteral(ZELTOMIR_TEST_DATA "/cli/") + name);
        ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
        std::istringstream in(input);
        std::ostringstream out;
        EXPECT_EQ(OptimizeCommand(in, out).run(arguments + extra), ExitSuccess);
        EXPECT_TRUE(SameOutput(out.str(), expected.readAll().toStdString()));
    }
}

TEST(OptimizeSession, WritesDotsAndCommasWhateverTheUsersLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const Session session =
        RunOptimize({"--factor", "A=0..2000/1", "--factor", "B=0..0.5/3", "--goal", "min"}, "1.5\n2\n3\n");
    QLocale::setDefault(saved);
    EXPECT_EQ(session.status, ExitSuccess);
    ASSERT_EQ(session.lines.size(), 7u);
    EXPECT_EQ(session.lines[0], "initial 1: A=2000 B=0");
    EXPECT_EQ(session.lines[3], "trial 4 R: Evaluate the Reflection (R): A=2000 B=0.5");
    EXPECT_EQ(session.lines[4], "vertex 1: A=2,000.0 B=0.000 result=1.5 type=Initial retained=1");
}

} // namespace
} // namespace zeltomir::cli
