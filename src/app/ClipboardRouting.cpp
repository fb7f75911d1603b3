#include "app/ClipboardRouting.h"

namespace zeltomir::app {

bool IsPracticeWindowCode(const QString& activeWindow)
{
    return activeWindow == QLatin1String("TOO") || activeWindow == QLatin1String("VO")
           || activeWindow == QLatin1String("TO5");
}

ClipboardControl RouteClipboardCommand(ClipboardCommand command, const QString& activeWindow,
                                       const QString& focusedTextBox, const QString& focusTarget)
{
    const bool text = focusTarget == QLatin1String("text");
    if (activeWindow == QLatin1String("frmDefineFactors") || activeWindow == QLatin1String("frmInitialSimplex")
        || activeWindow == QLatin1String("frmDefineResponses"))
        return ClipboardControl::Grid;
    // The vertex summary is never edited.
    if (activeWindow == QLatin1String("frmProgress"))
        return command == ClipboardCommand::Copy ? ClipboardControl::Grid : ClipboardControl::Nothing;
    if (activeWindow == QLatin1String("SeqSimplexInitialize"))
        return focusedTextBox == QLatin1String("text1") ? ClipboardControl::SetupCountBox
                                                        : ClipboardControl::SetupTargetBox;
    if (activeWindow == QLatin1String("SimplexSteps")) {
        if (focusTarget == QLatin1String("responses"))
            return ClipboardControl::StepsResponses;
        return text ? ClipboardControl::StepsResultBox : ClipboardControl::Grid;
    }
    // The practice grids collect computed runs: they can be copied out but
    // not cut or pasted into.
    if (IsPracticeWindowCode(activeWindow)) {
        if (text)
            return ClipboardControl::PracticeLevelBox;
        return command == ClipboardCommand::Copy ? ClipboardControl::Grid : ClipboardControl::Nothing;
    }
    return ClipboardControl::Nothing;
}

} // namespace zeltomir::app
