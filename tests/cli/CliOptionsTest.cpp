#include "cli/CliOptions.h"
#include "cli/JsonText.h"
#include "cli/ResultReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zeltomir::cli {
namespace {

TEST(SplitFactorOption, NameToFirstEqualsDecimalsAfterLastSlashLimitsAtFirstDots)
{
    struct Case {
        const char* text;
        std::optional<FactorCells> cells;
    };
    const Case cases[] = {
        {"A=0..10/2", FactorCells{"A", "0", "10", "2"}},
        {"Feed rate=-5.5..-1.25/3", FactorCells{"Feed rate", "-5.5", "-1.25", "3"}},
        {"a/b=1..2/1", FactorCells{"a/b", "1", "2", "1"}},       // a slash in the name is the name's
        {"x=1..2/3/4", FactorCells{"x", "1", "2/3", "4"}},       // decimals follow the last slash
        {"y=1..2..3/1", FactorCells{"y", "1", "2..3", "1"}},     // limits split at the first ".."
        {"z=a=b..c/d", FactorCells{"z", "a=b", "c", "d"}},       // the name stops at the first "="
        {"=..//", FactorCells{"", "", "/", ""}},                 // empty cells are the engine's to refuse
        {"A..B=1..2/1", FactorCells{"A..B", "1", "2", "1"}},
        {"A0..10/2", std::nullopt},
        {"A=0-10/2", std::nullopt},
        {"A=0..10", std::nullopt},
        {"A/2=0..10", std::nullopt}, // the only slash lies in the name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitFactorOption(QString::fromUtf8(c.text)), c.cells);
    }
}

TEST(SplitResponseOption, GoalLimitsTargetAndWeights)
{
    using core::ResponseGoal;
    const auto response = [](const char* name, ResponseGoal goal, double lower, double upper, double target = 0,
                             double importance = 1, double s = 1, double t = 1) {
        return core::ResponseDefinition{name, goal, lower, upper, target, importance, s, t};
    };
    struct Case {
        const char* text;
        std::optional<core::ResponseDefinition> response;
    };
    const Case cases[] = {
        {"Yield=max:120..170", response("Yield", ResponseGoal::Maximize, 120, 170)},
        {"Loss=min:-5..-1,importance=2,s=0.5", response("Loss", ResponseGoal::Minimize, -5, -1, 0, 2, 0.5)},
        {"Hardness=target:60..75:67.5,t=3", response("Hardness", ResponseGoal::Target, 60, 75, 67.5, 1, 1, 3)},
        {"a=b=track", std::nullopt},                                          // the name stops at the first "="
        {"Colour=track", core::ResponseDefinition{"Colour", ResponseGoal::TrackOnly}},
        {"x..y=max:1..2..3", std::nullopt},                                   // "2..3" is no number
        {"Yield=max:0..1:5", std::nullopt},                                   // a target only for a target
        {"Yield=target:0..1", std::nullopt},
        {"Yield=max:0..1,t=2", std::nullopt},                                 // t only for a target
        {"Yield=max:0..1,weight=2", std::nullopt},
        {"Yield=best:0..1", std::nullopt},
        {"Yield", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SplitResponseOption(QString::fromUtf8(c.text)), c.response);
    }
    const ParsedOptions repeated =
        ParseOptimizeOptions({"--response", "Yield=max:0..1", "--response=Colour=track", "--factor=A=0..1/1"});
    EXPECT_TRUE(repeated.error.isEmpty()) << repeated.error.toStdString();
    EXPECT_EQ(repeated.options.responses.size(), 2u);
}

TEST(ParseOptimizeOptions, DefaultsAndBothValueForms)
{
    const ParsedOptions defaults = ParseOptimizeOptions({});
    EXPECT_TRUE(defaults.error.isEmpty());
    EXPECT_EQ(defaults.options.goal, core::Goal::Max);
    EXPECT_FALSE(defaults.options.fixedSteps.has_value());
    EXPECT_FALSE(defaults.options.target.has_value());
    EXPECT_FALSE(defaults.options.json);

    const ParsedOptions parsed = ParseOptimizeOptions({"--goal=mid", "--target", "-2.5", "--steps=fixed",
                                                       "--factor=A=0..1/1", "--factor", "B=2..3/2", "--json",
                                                       "--save", "out.sso", "--csv=out.csv", "--xlsx", "out.xlsx"});
    EXPECT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
    const OptimizeOptions& o = parsed.options;
    EXPECT_EQ(o.goal, core::Goal::Target);
    EXPECT_EQ(o.target, QString("-2.5")); // a value may start with one minus sign
    EXPECT_EQ(o.fixedSteps, true);
    EXPECT_EQ(o.factors, (std::vector<FactorCells>{{"A", "0", "1", "1"}, {"B", "2", "3", "2"}}));
    EXPECT_TRUE(o.json);
    EXPECT_EQ(o.savePath, QString("out.sso"));
    EXPECT_EQ(o.csvPath, QString("out.csv"));
    EXPECT_EQ(o.xlsxPath, QString("out.xlsx"));
    EXPECT_FALSE(o.openPath.has_value());
}

TEST(JsonText, NumbersInShortestRoundTripForm)
{
    struct Case {
        double value;
        const char* json;
    };
    const Case cases[] = {
        {10, "10"},
        {-3, "-3"},
        {0.1, "0.1"},
        {static_cast<double>(0.1f), "0.10000000149011612"},
        {-0.0, "0"},
        {1e20, "1e+20"},
        {1.5e-7, "1.5e-07"},
        {std::numeric_limits<double>::infinity(), "null"},
        {std::nan(""), "null"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        EXPECT_EQ(JsonNumber(c.value), c.json);
    }
    EXPECT_EQ(JsonNumber(std::optional<double>()), "null");
}

TEST(JsonText, StringsEscapeQuotesBackslashesAndWhatBreaksOrHidesALine)
{
    const std::pair<QString, std::string> cases[] = {
        {QStringLiteral("plain"), R"("plain")"},
        {QStringLiteral("say \"hi\" \\ there"), R"("say \"hi\" \\ there")"},
        {QStringLiteral("a\nb\tc\rd"), R"("a\nb\tc\rd")"},
        {QString(QChar(0x01)) + QChar(0x1F), R"("\u0001\u001f")"},
        {QStringLiteral("Temp \u00B0C"), "\"Temp \xC2\xB0" "C\""}, // UTF-8, unescaped
        // Line ends to readers that split on more than a line feed.
        {QString(QChar(0x2028)) + QChar(0x2029) + QChar(0x85), R"("\u2028\u2029\u0085")"},
        {QString("a") + QChar(0x202E) + "b" + QChar(0x2066) + QChar(0x2069), R"("a\u202eb\u2066\u2069")"},
        // A character beyond the 16-bit range beside an escape stays whole.
        {QString::fromUtf8("\xF0\x9F\x8C\xA1") + QChar(0x2028), "\"\xF0\x9F\x8C\xA1\\u2028\""},
    };
    for (const auto& [text, json] : cases) {
        SCOPED_TRACE(json);
        EXPECT_EQ(JsonString(text), json);
    }
}

TEST(ParseResultLine, ResultAndLevels)
{
    struct Case {
        const char* line;
        bool skipped;
        const char* result;
        std::optional<QStringList> levels;
    };
    const Case cases[] = {
        {"", true, "", std::nullopt},
        {"   \t", true, "", std::nullopt},
        {"# note", true, "", std::nullopt},
        {"  # note", true, "", std::nullopt},
        {"12.5", false, "12.5", std::nullopt},
        {" 1e3 ", false, " 1e3 ", std::nullopt}, // blanks around are the engine's to accept
        {"abc", false, "abc", std::nullopt},
        {"12.5 @ 5 15", false, "12.5 ", QStringList{"5", "15"}},
        {"12.5@5\t 15", false, "12.5", QStringList{"5", "15"}},
        {"@ 5 15", false, "", QStringList{"5", "15"}},
        {"7 @", false, "7 ", QStringList{}},
        {"7 @ 1 @ 2", false, "7 ", QStringList{"1", "@", "2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<ResultLine> line = ParseResultLine(QString::fromUtf8(c.line), 4);
        ASSERT_EQ(!line, c.skipped);
        if (!line)
            continue;
        EXPECT_EQ(line->lineNumber, 4);
        EXPECT_EQ(line->result, QString::fromUtf8(c.result));
        EXPECT_EQ(line->levels, c.levels);
    }
}

} // namespace
} // namespace zeltomir::cli
