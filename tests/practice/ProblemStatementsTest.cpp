#include "ScriptedSource.h"

#include "practice/ProblemStatements.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace zeltomir::practice {
namespace {

TEST(ProblemStatementsTest, TargetDesignTimeTextHasSixCrLfLinesWithQuotedWords)
{
    const QString text = TargetDesignTimeStatement();
    const QStringList lines = text.split("\r\n");
    ASSERT_EQ(lines.size(), 7); // six lines, each ended by CR LF
    EXPECT_TRUE(lines.last().isEmpty());
    EXPECT_EQ(lines[2],
              "independent factors are shown to the right of each factor.  When the  \"Compute Response\" button is "
              "clicked the levels of ");
    EXPECT_EQ(lines[4],
              "copied to a statistical package for analysis.  Your \"Answer\" is the values in the input boxes.  The "
              "values of non-significant ");
    EXPECT_EQ(lines[5], "factors are ignored when your answer is checked.");
    EXPECT_FALSE(text.contains(QLatin1Char('\n') + QString("\n")));
}

TEST(ProblemStatementsTest, TextsKeepTheirOwnWording)
{
    struct Case {
        const char* name;
        QString text;
        const char* starts;
        const char* contains;
        const char* ends;
    };
    const Case cases[] = {
        {"target simple", TargetSimpleStatement(),
         "You are responsible for maximizing the response of a process.  Two factors, A and D, affect",
         "will be placed in the spreadsheet.  This data can be copied", "factors are ignored when your answer is checked."},
        {"scrap simple", ScrapStatement(false),
         "You are responsible for minimizing the scrap rate of a process.  Tow independent factors; A and D, have been "
         "identified as having an effect the scrap rate.",
         "along with the resultingscrap rate in parts per million (PPM) will", "answer is checked."},
        {"scrap advanced", ScrapStatement(true),
         "You are responsible for minimizing the scrap rate of a process.  Six independent factors; A, B, C, D, E and "
         "F, have been identified as having the potential to affect the scrap rate.",
         "each of the independent factors are shown to the right of each factor.  When", "answer is checked."},
        {"variance simple", VarianceStatement(false, "-398.5"),
         "You are responsible for minimizing the variance of the response variable for a process.  Three independent "
         "factors, A, D and E, have been identified as having an affect on the response variable.",
         "Your Answer is the values in the input boxes.", "checked.  The target for the response is -398.5."},
        {"variance advanced", VarianceStatement(true, "12"),
         "You are responsible for minimizing the variance of the response variable for a process.  Seven independent "
         "factors; A, B, C, D, E, F and G, have been identified as having the potential to affect the response variable.",
         "for each of the independent factors are shown", "The target for the response is 12."},
        {"older variance", RobustStatement("9.5"),
         "You are responsible for minimizing the variance of the response variable for a process.  Seven  independent "
         "factors; A, B, C, D, E, F and G, have been identified as having the potential to affect",
         "will be placed in the spreadsheet.", "The target for the response is 9.5."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.text.startsWith(c.starts)) << c.text.toStdString();
        EXPECT_TRUE(c.text.contains(c.contains)) << c.text.toStdString();
        EXPECT_TRUE(c.text.endsWith(c.ends)) << c.text.toStdString();
        EXPECT_FALSE(c.text.contains("  .")) << c.text.toStdString();
    }
}

} // namespace
} // namespace zeltomir::practice
