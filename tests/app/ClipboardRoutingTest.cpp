#include "app/ClipboardRouting.h"

#include <gtest/gtest.h>

namespace zeltomir::app {
namespace {

using enum ClipboardControl;

struct RouteCase {
    const char* activeWindow;
    const char* focusedTextBox;
    const char* focusTarget;
    ClipboardControl cut;
    ClipboardControl copy;
    ClipboardControl paste;
};

const RouteCase RouteCases[] = {
    // The focus values of other windows do not matter for the grids.
    {"frmDefineFactors", "text1", "text", Grid, Grid, Grid},
    {"frmInitialSimplex", "text2", "text", Grid, Grid, Grid},
    {"frmDefineResponses", "", "responses", Grid, Grid, Grid},
    {"frmProgress", "", "text", Nothing, Grid, Nothing},
    {"frmProgress", "", "ss", Nothing, Grid, Nothing},
    {"SeqSimplexInitialize", "text1", "ss", SetupCountBox, SetupCountBox, SetupCountBox},
    {"SeqSimplexInitialize", "text2", "text", SetupTargetBox, SetupTargetBox, SetupTargetBox},
    // Anything but "text1" means the target box.
    {"SeqSimplexInitialize", "", "", SetupTargetBox, SetupTargetBox, SetupTargetBox},
    {"SimplexSteps", "text1", "text", StepsResultBox, StepsResultBox, StepsResultBox},
    {"SimplexSteps", "text1", "ss", Grid, Grid, Grid},
    {"SimplexSteps", "", "", Grid, Grid, Grid},
    {"SimplexSteps", "text1", "responses", StepsResponses, StepsResponses, StepsResponses},
    {"TO5", "", "text", PracticeLevelBox, PracticeLevelBox, PracticeLevelBox},
    {"TO5", "", "ss", Nothing, Grid, Nothing},
    {"VO", "", "text", PracticeLevelBox, PracticeLevelBox, PracticeLevelBox},
    {"VO", "text1", "ss", Nothing, Grid, Nothing},
    // The older variance window never sets FocusTarget: opened first of all,
    // its grid is copied.
    {"VO", "", "", Nothing, Grid, Nothing},
    {"TOO", "", "text", PracticeLevelBox, PracticeLevelBox, PracticeLevelBox},
    {"TOO", "", "", Nothing, Grid, Nothing},
    {"About", "text1", "text", Nothing, Nothing, Nothing},
    {"", "text1", "text", Nothing, Nothing, Nothing},
    {"simplexsteps", "", "text", Nothing, Nothing, Nothing},
};

TEST(ClipboardRoutingTest, EachWindowRoutesToItsControl)
{
    for (const RouteCase& c : RouteCases) {
        SCOPED_TRACE(testing::Message() << c.activeWindow << " / " << c.focusedTextBox << " / " << c.focusTarget);
        const QString active = QLatin1String(c.activeWindow);
        const QString box = QLatin1String(c.focusedTextBox);
        const QString target = QLatin1String(c.focusTarget);
        EXPECT_EQ(RouteClipboardCommand(ClipboardCommand::Cut, active, box, target), c.cut);
        EXPECT_EQ(RouteClipboardCommand(ClipboardCommand::Copy, active, box, target), c.copy);
        EXPECT_EQ(RouteClipboardCommand(ClipboardCommand::Paste, active, box, target), c.paste);
    }
}

} // namespace
} // namespace zeltomir::app
