#include "CliTestSupport.h"

#include "cli/CliHelp.h"
#include "cli/CliRunner.h"
#include "core/ProgramVersion.h"

#include <gtest/gtest.h>

namespace zeltomir::cli {
namespace {

using test::CornerFactors;
using test::RunOptimize;
using test::RunSimulate;
using test::Session;
using Lines = std::vector<std::string>;

struct RefusalCase {
    const char* what;
    QStringList arguments;
    std::string input;
    Lines output; // the whole output
    bool simulate = false; // the arguments are simulate's, not optimize's
};

void ExpectRefusals(const std::vector<RefusalCase>& cases)
{
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Session session = c.simulate ? RunSimulate(c.arguments) : RunOptimize(c.arguments, c.input);
        EXPECT_EQ(session.status, ExitCannotGoOn);
        EXPECT_EQ(session.lines, c.output);
    }
}

TEST(OptimizeErrors, CommandLinesThatCannotBeUsed)
{
    const auto usage = [](const char* text) { return Lines{std::string("message Usage Error: ") + text}; };
    ExpectRefusals({
        {"unknown option", QStringList{"--bogus"} + CornerFactors(), "", usage("Unknown option --bogus.")},
        {"stray argument", QStringList{"stray"} + CornerFactors(), "", usage("Unexpected argument \"stray\".")},
        {"value missing at the end", CornerFactors() + QStringList{"--goal"}, "",
         usage("Option --goal needs a value.")},
        {"option taken for a value", QStringList{"--goal", "mid", "--target", "--steps", "fixed"} + CornerFactors(),
         "", usage("Option --target needs a value.")},
        {"unknown goal", QStringList{"--goal", "best"} + CornerFactors(), "",
         usage("The goal must be max, min or mid, not \"best\".")},
        {"goal in capitals", QStringList{"--goal=MAX"} + CornerFactors(), "",
         usage("The goal must be max, min or mid, not \"MAX\".")},
        {"unknown step size", QStringList{"--steps", "huge"} + CornerFactors(), "",
         usage("The step size must be variable or fixed, not \"huge\".")},
        {"factor without =", {"--factor", "A0..10/2"}, "",
         usage("A factor is given as NAME=LOWER..UPPER/DECIMALS, not \"A0..10/2\".")},
        {"factor without ..", {"--factor", "A=0-10/2"}, "",
         usage("A factor is given as NAME=LOWER..UPPER/DECIMALS, not \"A=0-10/2\".")},
        {"factor without /", {"--factor", "A=0..10"}, "",
         usage("A factor is given as NAME=LOWER..UPPER/DECIMALS, not \"A=0..10\".")},
        {"repeated goal", QStringList{"--goal", "max", "--goal", "min"} + CornerFactors(), "",
         usage("Option --goal is given more than once.")},
        {"flag with a value", QStringList{"--json=yes"} + CornerFactors(), "",
         usage("Option --json does not take a value.")},
        {"empty file name", QStringList{"--save="} + CornerFactors(), "", usage("Option --save needs a file name.")},
        {"empty CSV file name", QStringList{"--csv="} + CornerFactors(), "", usage("Option --csv needs a file name.")},
        {"repeated workbook", QStringList{"--xlsx", "a.xlsx", "--xlsx=b.xlsx"} + CornerFactors(), "",
         usage("Option --xlsx is given more than once.")},
        {"open with factors", QStringList{"--open", "p.sso"} + CornerFactors(), "",
         usage("Options --open and --factor cannot be used together: the problem file holds the factors.")},
        {"open with a goal", {"--open", "p.sso", "--goal", "min"}, "",
         usage("Options --goal and --target cannot be used with --open: the problem file holds the goal.")},
        {"first error wins", {"--bogus", "--goal", "best"}, "", usage("Unknown option --bogus.")},
        {"response without limits", QStringList{"--response", "Yield=max"} + CornerFactors(), "",
         usage("A response is given as NAME=GOAL:LOWER..UPPER[:TARGET][,importance=R][,s=S][,t=T] or NAME=track, "
               "not \"Yield=max\".")},
        {"response with a goal", QStringList{"--response", "Y=max:0..1", "--goal", "min"} + CornerFactors(), "",
         usage("Options --goal and --target cannot be used with --response: the simplex maximises the overall "
               "desirability of the responses.")},
        {"response with open", {"--open", "p.sso", "--response", "Y=max:0..1"}, "",
         usage("Options --open and --response cannot be used together: the problem file holds the responses.")},
        {"response the engine refuses", QStringList{"--response", "Y=min:5..1"} + CornerFactors(), "",
         {"message Input Error: Response 1 (Y): the lower limit must lie below the upper limit."}},
        {"only tracked responses", QStringList{"--response", "Y=track"} + CornerFactors(), "",
         {"message Input Error: At least one response must be maximized, minimized or brought to a target."}},
    });
}

TEST(SimulateErrors, CommandLinesThatCannotBeUsed)
{
    const auto usage = [](const char* text) { return Lines{std::string("message Usage Error: ") + text}; };
    const QString trialsRange = "The number of trials must be a whole number from 3 (the initial simplex of hill) "
                                "to 32767, not \"%1\".";
    const auto trials = [&](const char* given) {
        return Lines{"message Usage Error: " + trialsRange.arg(given).toStdString()};
    };
    ExpectRefusals({
        {"no process", {"--noise", "1"}, "",
         usage("Option --process is needed: one of hill, peak, two-peaks, ridge, reactor, viscosity."), true},
        {"unknown process", {"--process", "Hill"}, "",
         usage("Unknown process \"Hill\": the processes are hill, peak, two-peaks, ridge, reactor, viscosity."),
         true},
        {"negative noise", {"--process", "hill", "--noise", "-0.5"}, "",
         usage("The noise must be a number of 0 or more, not \"-0.5\"."), true},
        {"noise not a number", {"--process=hill", "--noise=much"}, "",
         usage("The noise must be a number of 0 or more, not \"much\"."), true},
        {"negative seed", {"--process", "hill", "--seed", "-1"}, "",
         usage("The seed must be a whole number from 0 to 999999999999999, not \"-1\"."), true},
        {"seed beyond 15 digits", {"--process", "hill", "--seed", "1000000000000000"}, "",
         usage("The seed must be a whole number from 0 to 999999999999999, not \"1000000000000000\"."), true},
        {"fewer trials than the initial simplex", {"--process", "hill", "--trials", "2"}, "", trials("2"), true},
        {"more trials than the history holds", {"--process", "hill", "--trials", "32768"}, "", trials("32768"), true},
        {"fractional trials", {"--process", "hill", "--trials", "10.5"}, "", trials("10.5"), true},
        {"unknown step size", {"--process", "hill", "--steps", "small"}, "",
         usage("The step size must be variable or fixed, not \"small\"."), true},
        {"list with a process", {"--list", "--process", "hill"}, "",
         usage("Option --list lists the processes and runs none: give it without --process."), true},
        {"flag with a value", {"--process", "hill", "--again=yes"}, "",
         usage("Option --again does not take a value."), true},
        {"repeated seed", {"--process", "hill", "--seed", "1", "--seed", "2"}, "",
         usage("Option --seed is given more than once."), true},
    });
}

TEST(OptimizeErrors, UsageErrorTakesTheJsonFormWhereverJsonIsAsked)
{
    const Session session = RunOptimize({"--bogus", "--json"});
    EXPECT_EQ(session.status, ExitCannotGoOn);
    EXPECT_EQ(session.lines, Lines{R"j({"event":"message","title":"Usage Error","text":"Unknown option --bogus."})j"});
}

TEST(OptimizeErrors, SetupRefusedByTheEngine)
{
    QStringList tooMany;
    for (int i = 0; i < 101; ++i)
        tooMany << "--factor" << QStringLiteral("F%1=0..1/1").arg(i);
    const auto data = [](const char* text) { return Lines{std::string("message Data Input Error: ") + text}; };
    ExpectRefusals({
        {"no factor", {}, "1\n", {"message Input Error: There must be at least 2 factors."}},
        {"one factor", {"--factor", "A=0..1/1"}, "1\n", {"message Input Error: There must be at least 2 factors."}},
        {"more than the maximum, said once", tooMany, "",
         {"message Input Error: The maximum number of factors allowed is 100."}},
        {"empty name", {"--factor", "=0..10/2", "--factor", "B=0..1/1"}, "",
         data("The Factor in row 1 does not have a name.")},
        {"lower limit not a number", {"--factor", "A=x..10/2", "--factor", "B=0..1/1"}, "",
         data("The Factor Lower Limit in row 1 is not numeric.  All factors must be given lower and upper limits.")},
        {"upper limit empty", {"--factor", "A=0..10/2", "--factor", "B=0../1"}, "",
         data("The Factor Upper Limit in row 2 is not numeric.  All factors must be given lower and upper limits.")},
        {"decimals not a number", {"--factor", "A=0..10/two", "--factor", "B=0..1/1"}, "",
         data("The Significant Digits in row 1 is not numeric.  All significant digits must be integers.")},
        {"equal limits", {"--factor", "A=5..5/1", "--factor", "B=0..1/1"}, "",
         data("The Factor Lower Limit and Upper Limit in row 1 are equal.  The limits must differ.")},
        {"limits too far apart", {"--factor", "A=0..1/1", "--factor", "B=-1e308..1e308/2"}, "",
         data("The range of the limits in row 2 is too large.")},
        {"target goal without target", QStringList{"--goal", "mid"} + CornerFactors(), "",
         data("The target response must be numeric.")},
        {"target goal with a word", QStringList{"--goal", "mid", "--target", "ten"} + CornerFactors(), "",
         data("The target response must be numeric.")},
    });
}

TEST(OptimizeErrors, InitialSimplexRefusedByTheEngine)
{
    const Lines corner = {"initial 1: A=10 B=5", "initial 2: A=0 B=15", "initial 3: A=0 B=5"};
    const auto after = [&corner](const Lines& lines) {
        Lines all = corner;
        all.insert(all.end(), lines.begin(), lines.end());
        return all;
    };
    // A refused line leaves its row to the next line; the input then ends a
    // result short, and the lines taken are listed to be given again.
    const auto endedWith = [](const char* taken) {
        return std::string("message Input Error: The input ended after 2 of the 3 results of the initial simplex. "
                           "The results received so far, as lines to give again: ")
            + taken + ".";
    };
    ExpectRefusals({
        {"all responses zero", CornerFactors(), "0\n0\n0\n",
         after({"message Data Entry Error: All responses are zero.  Please input the responses for the initial "
                "simplex."})},
        {"result not a number", CornerFactors(), "1\nx\n3\n",
         after({"message Data Input Error: The result in row 2 is not numeric.", endedWith(R"("1", "3")")})},
        {"level below its limit", CornerFactors(), "1\n2 @ -1 15\n3\n",
         after({"message Data Input Error: The level for factor A in row 2 is lower than the lower limit you "
                "specified.  The lower limit specified was 0.",
                endedWith(R"("1", "3")")})},
        {"level above its limit", CornerFactors(), "1\n2\n3 @ 0 15.5\n",
         after({"message Data Input Error: The level for factor B in row 3 is greater than the upper limit you "
                "specified.  The upper limit specified was 15.",
                endedWith(R"("1", "2")")})},
        {"input ends early", CornerFactors(), "1\n\n# more later\n2\t@ 0\t 15 \n",
         after({endedWith(R"("1", "2 @ 0 15")")})},
    });
}

TEST(OptimizeErrors, InitialLineWithTheWrongLevelCountIsSkipped)
{
    const Session session = RunOptimize(CornerFactors() + QStringList{"--goal", "min"}, "1 @ 5\n1\n2\n3\n");
    EXPECT_EQ(session.status, ExitSuccess);
    ASSERT_GE(session.lines.size(), 5u);
    EXPECT_EQ(session.lines[3], "message Input Error: Line 1: expected 2 levels after \"@\" but found 1. The line "
                                "is skipped.");
    EXPECT_EQ(session.lines[4], "trial 4 R: Evaluate the Reflection (R): A=10 B=15");
}

TEST(OptimizeErrors, HelpAndVersionAnswerWhateverElseIsGiven)
{
    for (const QStringList& arguments : {QStringList{"--help"}, QStringList{"--bogus", "-h"},
                                         QStringList{"--open", "p.sso", "--factor", "A=0..1/1", "--help"}}) {
        SCOPED_TRACE(arguments.join(' ').toStdString());
        const Session session = RunOptimize(arguments);
        EXPECT_EQ(session.status, ExitSuccess);
        ASSERT_FALSE(session.lines.empty());
        EXPECT_EQ(session.lines[0], "Usage: zeltomir-cli optimize [options]");
    }
    const Session version = RunOptimize({"--version", "--goal", "best"});
    EXPECT_EQ(version.status, ExitSuccess);
    ASSERT_FALSE(version.lines.empty());
    EXPECT_EQ(version.lines[0], "zeltomir-cli " + std::string(core::VersionNumber));
}

TEST(CliRunner, RoutesTheCommandOrRefusesIt)
{
    struct Case {
        QStringList arguments;
        int status;
        std::string out;
        std::string err;
    };
    const Case cases[] = {
        {{"--version"}, ExitSuccess, VersionLine(), ""},
        {{"--help"}, ExitSuccess, HelpText(), ""},
        {{"optimize", "--version"}, ExitSuccess, VersionLine(), ""},
        {{"simulate", "--help"}, ExitSuccess, HelpText(), ""},
        {{"simulate", "--bogus"}, ExitCannotGoOn, "message Usage Error: Unknown option --bogus.\n", ""},
        {{}, ExitCannotGoOn, "", "zeltomir-cli: no command given. Try \"zeltomir-cli --help\".\n"},
        {{"optimise"}, ExitCannotGoOn, "",
         "zeltomir-cli: unknown command \"optimise\". Try \"zeltomir-cli --help\".\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        std::istringstream in;
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli(c.arguments, in, out, err), c.status);
        EXPECT_EQ(out.str(), c.out);
        EXPECT_EQ(err.str(), c.err);
    }
}

} // namespace
} // namespace zeltomir::cli
