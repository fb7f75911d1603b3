#include "app/FileDialogFilters.h"

#include <gtest/gtest.h>

namespace zeltomir::app {
namespace {

struct FilterCase {
    const char* activeWindow;
    const char* save;
    const char* open;
};

const FilterCase FilterCases[] = {
    {"TOO", "All Files (*.*)|*.*|Target Optimization Files (*.sst)|*.sst",
     "All Files (*.*)|*.*|Target Optimization Files (*.sst)|*.sst|Variance Optimization Files (*.ssv)|*.ssv|"
     "Simplex Files (*.sso)|*.sso"},
    {"VO", "All Files (*.*)|*.*|Variance Optimization Files (*.ssv)|*.ssv",
     "All Files (*.*)|*.*|Variance Optimization Files (*.ssv)|*.ssv|Target Optimization Files (*.sst)|*.sst|"
     "Simplex Files (*.sso)|*.sso"},
    // Every other window, the scrap exercise and no window at all.
    {"frmDefineFactors", "All Files (*.*)|*.*|Simplex Files (*.sso)|*.sso",
     "All Files (*.*)|*.*|Simplex Files (*.sso)|*.sso|Target Optimization Files (*.sst)|*.sst|"
     "Variance Optimization Files (*.ssv)|*.ssv"},
    {"TO5", "All Files (*.*)|*.*|Simplex Files (*.sso)|*.sso",
     "All Files (*.*)|*.*|Simplex Files (*.sso)|*.sso|Target Optimization Files (*.sst)|*.sst|"
     "Variance Optimization Files (*.ssv)|*.ssv"},
    {"", "All Files (*.*)|*.*|Simplex Files (*.sso)|*.sso",
     "All Files (*.*)|*.*|Simplex Files (*.sso)|*.sso|Target Optimization Files (*.sst)|*.sst|"
     "Variance Optimization Files (*.ssv)|*.ssv"},
    // Codes are compared exactly.
    {"too", "All Files (*.*)|*.*|Simplex Files (*.sso)|*.sso",
     "All Files (*.*)|*.*|Simplex Files (*.sso)|*.sso|Target Optimization Files (*.sst)|*.sst|"
     "Variance Optimization Files (*.ssv)|*.ssv"},
};

TEST(FileDialogFiltersTest, FilterStringsFollowTheActiveWindow)
{
    for (const FilterCase& c : FilterCases) {
        SCOPED_TRACE(c.activeWindow);
        EXPECT_EQ(SaveFilterString(QLatin1String(c.activeWindow)), QLatin1String(c.save));
        EXPECT_EQ(OpenFilterString(QLatin1String(c.activeWindow)), QLatin1String(c.open));
    }
}

TEST(FileDialogFiltersTest, NameFiltersStartOnTheFileTypeOfTheWindow)
{
    // The second filter, the one the dialog starts on, is the type of the
    // window's own files.
    EXPECT_EQ(SaveNameFilters("TOO"), QStringList({"All Files (*)", "Target Optimization Files (*.sst)"}));
    EXPECT_EQ(SaveNameFilters("VO"), QStringList({"All Files (*)", "Variance Optimization Files (*.ssv)"}));
    EXPECT_EQ(SaveNameFilters("SimplexSteps"), QStringList({"All Files (*)", "Simplex Files (*.sso)"}));
    EXPECT_EQ(OpenNameFilters("VO"),
              QStringList({"All Files (*)", "Variance Optimization Files (*.ssv)",
                           "Target Optimization Files (*.sst)", "Simplex Files (*.sso)"}));
    EXPECT_EQ(OpenNameFilters("frmProgress").at(SecondFilter), "Simplex Files (*.sso)");
    EXPECT_EQ(OpenNameFilters("TOO").at(SecondFilter), "Target Optimization Files (*.sst)");
}

struct KindCase {
    const char* fileName;
    ProblemFileKind kind;
};

const KindCase KindCases[] = {
    {"/data/question.sst", ProblemFileKind::TargetExercise},
    {"/data/QUESTION.SST", ProblemFileKind::TargetExercise},
    {"/data/question.SsT", ProblemFileKind::TargetExercise},
    {"/data/robust.ssv", ProblemFileKind::VarianceExercise},
    {"/data/ROBUST.SSV", ProblemFileKind::VarianceExercise},
    {"/data/problem.sso", ProblemFileKind::State},
    {"/data/problem.txt", ProblemFileKind::State},
    {"/data/problem", ProblemFileKind::State},
    {"/data/problem.sst.bak", ProblemFileKind::State},
    // Only the last three characters count, dot or no dot.
    {"/data/firstsst", ProblemFileKind::TargetExercise},
    {"st", ProblemFileKind::State},
    {"", ProblemFileKind::State},
};

TEST(FileDialogFiltersTest, TheLastThreeCharactersChooseTheReader)
{
    for (const KindCase& c : KindCases) {
        SCOPED_TRACE(c.fileName);
        EXPECT_EQ(ProblemFileKindOf(QLatin1String(c.fileName)), c.kind);
    }
}

} // namespace
} // namespace zeltomir::app
