#include "MainWindowFixture.h"

#include "shell/CommandAvailability.h"

#include <optional>

namespace zeltomir::shell {
namespace {

// The controls a window's activation may switch, and three it never touches.
enum Control { CutButton, CopyButton, PasteButton, PrintButton, CutMenu, CopyMenu, PasteMenu, VertexSummaryMenu,
               EditMenu, CorrectResultMenu, UndoButton, PrintMenu, ProblemSetupMenu, ControlCount };

const char* const ControlNames[ControlCount] = {"cut_button", "copy_button", "Paste_button",    "btnPrint",
                                                "Menu_cut",   "Menu_copy",   "Menu_paste",      "mnuVertexSummary",
                                                "Menu_edit",  "mnuCorrectResult", "undo_button", "mnufileprint",
                                                "mnuProblemSetup"};

constexpr std::optional<bool> on = true;
constexpr std::optional<bool> off = false;
constexpr std::optional<bool> same = std::nullopt;

struct AvailabilityRow {
    const char* activeWindow;
    std::optional<bool> expected[ControlCount];
};

// Columns: cut/copy/paste buttons, print button, cut/copy/paste items,
// vertex summary item, Edit menu, Correct Result (the vertex summary
// switches it by its selection), undo button, File > Print, View > Problem
// Setup.
const AvailabilityRow Rows[] = {
    {"frmDefineFactors", {on, on, on, on, on, on, on, on, same, off, same, same, same}},
    {"frmDefineResponses", {on, on, on, on, on, on, on, on, same, off, same, same, same}},
    {"frmInitialSimplex", {on, on, on, on, on, on, on, off, same, off, same, same, same}},
    {"frmProgress", {off, on, off, on, off, on, off, on, same, same, same, same, same}},
    {"SeqSimplexInitialize", {on, on, on, off, on, on, on, on, same, off, same, same, same}},
    {"SimplexSteps", {on, on, on, on, on, on, on, on, same, off, same, same, same}},
    {"frmSimplexPlot", {off, off, off, off, off, off, off, on, same, off, same, same, same}},
    {"TOO", {same, same, same, off, on, on, on, same, on, off, same, same, same}},
    {"VO", {same, same, same, off, on, on, on, same, on, off, same, same, same}},
    {"TO5", {same, same, same, off, on, on, on, same, on, off, same, same, same}},
    {"frmScrapMin", {same, same, same, same, same, same, same, same, same, same, same, same, same}},
    {"About", {same, same, same, same, same, same, same, same, same, same, same, same, same}},
    {"", {same, same, same, same, same, same, same, same, same, same, same, same, same}},
    {"simplexsteps", {same, same, same, same, same, same, same, same, same, same, same, same, same}},
};

class CommandAvailabilityTest : public MainWindowFixture {
protected:
    void setAll(bool enabled)
    {
        for (const char* name : ControlNames)
            setEnabled(name, enabled);
    }

    void setEnabled(const char* name, bool enabled)
    {
        if (auto* tool = window->findChild<QToolButton*>(QLatin1String(name)))
            tool->setEnabled(enabled);
        else
            action(name)->setEnabled(enabled);
    }

    bool isEnabled(const char* name) const
    {
        if (const auto* tool = window->findChild<QToolButton*>(QLatin1String(name)))
            return tool->isEnabled();
        return action(name)->isEnabled();
    }
};

TEST_F(CommandAvailabilityTest, EachActiveWindowSwitchesOnlyItsControls)
{
    // From all on and from all off, so that "unchanged" is told apart from
    // a switch that happens to match the starting state.
    for (const AvailabilityRow& row : Rows) {
        for (const bool start : {true, false}) {
            SCOPED_TRACE(testing::Message() << "ActiveWindow \"" << row.activeWindow << "\", all "
                                            << (start ? "on" : "off") << " before");
            setAll(start);
            window->updateCommandAvailability(QLatin1String(row.activeWindow));
            for (int control = 0; control < ControlCount; ++control) {
                const bool expected = row.expected[control].value_or(start);
                EXPECT_EQ(isEnabled(ControlNames[control]), expected) << ControlNames[control];
            }
        }
    }
}

TEST_F(CommandAvailabilityTest, TheTableSaysNothingForUnknownCodes)
{
    for (const char* code : {"", "frmScrapMin", "About", "too", " TOO"}) {
        SCOPED_TRACE(code);
        EXPECT_EQ(CommandStatesFor(QLatin1String(code)), CommandStates{});
    }
}

TEST_F(CommandAvailabilityTest, EverythingStartsEnabledExceptUndoRedoAndCorrectResult)
{
    for (const char* name : {"cut_button", "copy_button", "Paste_button", "btnPrint", "Menu_cut", "Menu_copy",
                             "Menu_paste", "mnuVertexSummary", "Menu_edit", "mnufileprint"})
        EXPECT_TRUE(isEnabled(name)) << name;
    EXPECT_FALSE(isEnabled("undo_button"));
    EXPECT_FALSE(isEnabled("redo_button"));
    EXPECT_FALSE(isEnabled("mnuCorrectResult"));
}

TEST_F(CommandAvailabilityTest, PracticeWindowAfterVertexSummaryLeavesCutAndPasteButtonsOff)
{
    window->updateCommandAvailability("frmProgress");
    window->updateCommandAvailability("TOO");
    EXPECT_FALSE(isEnabled("cut_button"));
    EXPECT_FALSE(isEnabled("Paste_button"));
    EXPECT_TRUE(isEnabled("copy_button"));
    EXPECT_TRUE(isEnabled("Menu_cut"));
    EXPECT_TRUE(isEnabled("Menu_paste"));
}

TEST_F(CommandAvailabilityTest, VertexSummaryItemComesBackAfterTheInitialSimplex)
{
    window->updateCommandAvailability("frmInitialSimplex");
    EXPECT_FALSE(isEnabled("mnuVertexSummary"));
    window->updateCommandAvailability("SimplexSteps");
    EXPECT_TRUE(isEnabled("mnuVertexSummary"));
}

TEST_F(CommandAvailabilityTest, UndoRedoAndPrintButtonHaveTheirOwnSwitches)
{
    window->setUndoEnabled(true);
    window->setRedoEnabled(true);
    EXPECT_TRUE(isEnabled("undo_button"));
    EXPECT_TRUE(isEnabled("redo_button"));
    window->setRedoEnabled(false);
    EXPECT_TRUE(isEnabled("undo_button"));
    EXPECT_FALSE(isEnabled("redo_button"));
    window->setPrintButtonEnabled(false);
    EXPECT_FALSE(isEnabled("btnPrint"));
    EXPECT_TRUE(isEnabled("mnufileprint"));
}

} // namespace
} // namespace zeltomir::shell
