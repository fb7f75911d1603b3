#pragma once

// Which control Cut, Copy and Paste act on. The commands follow the window
// named by ActiveWindow, not the control that holds the focus when they run
// (the toolbar takes the focus away first), and within that window the
// control the user worked in last: FocusedTextBox for the setup window,
// FocusTarget for the steps and practice windows.

#include <QString>

namespace zeltomir::app {

enum class ClipboardCommand { Cut, Copy, Paste };

enum class ClipboardControl {
    Nothing,
    Grid,             // the active window's grid: the user's selection, or the current cell for Paste
    SetupCountBox,    // the setup window's Text1
    SetupTargetBox,   // the setup window's Text2
    StepsResultBox,   // the steps window's Text1
    StepsResponses,   // the steps window's grid of responses: the current cell or the selection
    PracticeLevelBox, // the practice window's level box that had the focus last
};

ClipboardControl RouteClipboardCommand(ClipboardCommand command, const QString& activeWindow,
                                       const QString& focusedTextBox, const QString& focusTarget);

// "TOO", "VO" and "TO5".
bool IsPracticeWindowCode(const QString& activeWindow);

} // namespace zeltomir::app
