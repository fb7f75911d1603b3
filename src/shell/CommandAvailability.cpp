#include "shell/CommandAvailability.h"

namespace zeltomir::shell {

namespace {

// A simplex window sets a toolbar button and its menu twin together.
CommandStates SimplexWindow(bool cut, bool copy, bool paste, bool print, bool vertexSummary)
{
    CommandStates states;
    states.cutButton = states.cutMenu = cut;
    states.copyButton = states.copyMenu = copy;
    states.pasteButton = states.pasteMenu = paste;
    states.printButton = print;
    states.vertexSummaryMenu = vertexSummary;
    states.correctResultMenu = false;
    return states;
}

} // namespace

CommandStates CommandStatesFor(const QString& activeWindow)
{
    if (activeWindow == QLatin1String("frmDefineFactors") || activeWindow == QLatin1String("frmDefineResponses"))
        return SimplexWindow(true, true, true, true, true);
    if (activeWindow == QLatin1String("frmInitialSimplex"))
        // The vertex summary is not to be opened over the initial simplex.
        return SimplexWindow(true, true, true, true, false);
    if (activeWindow == QLatin1String("frmProgress")) {
        // The vertex summary cannot be edited, only a result corrected.
        CommandStates states = SimplexWindow(false, true, false, true, true);
        states.correctResultMenu.reset();
        return states;
    }
    if (activeWindow == QLatin1String("SeqSimplexInitialize"))
        // The setup window has no grid to print.
        return SimplexWindow(true, true, true, false, true);
    if (activeWindow == QLatin1String("SimplexSteps"))
        return SimplexWindow(true, true, true, true, true);
    if (activeWindow == QLatin1String("frmSimplexPlot"))
        // Pictures, not cells: its own buttons save and export them.
        return SimplexWindow(false, false, false, false, true);
    if (activeWindow == QLatin1String("TOO") || activeWindow == QLatin1String("VO")
        || activeWindow == QLatin1String("TO5")) {
        // Practice windows switch on the Edit menu but leave the toolbar's
        // clipboard buttons as the window before them left them.
        CommandStates states;
        states.cutMenu = states.copyMenu = states.pasteMenu = true;
        states.printButton = false;
        states.editMenu = true;
        states.correctResultMenu = false;
        return states;
    }
    return {};
}

} // namespace zeltomir::shell
