#pragma once

// Pieces the simplex windows share: copying a grid to and from the engine's
// text form, showing the engine's messages, and the undo snapshot that every
// confirming command stores before it changes the record.

#include "simplex/EngineTypes.h"
#include "simplex/GridText.h"
#include "simplex/windows/SimplexWindowContext.h"

#include "core/Message.h"

#include <QSize>

#include <vector>

class QMdiArea;
class QPushButton;
class QWidget;

namespace zeltomir::shell {
class DialogService;
class GridWidget;
} // namespace zeltomir::shell

namespace zeltomir::simplex {

// The grid's cells as text, headers in row 0. An open cell editor is closed
// first, keeping what was typed, so the engine reads what the user sees.
GridText ReadGrid(shell::GridWidget& grid);

// Gives the grid the shape of `text` and writes every cell, headers included.
void WriteGrid(shell::GridWidget& grid, const GridText& text);

// A push button with its object name that Enter in another control does
// not press (the windows' buttons act only when clicked or given the focus).
QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent);

// One message box per message, in order, each with its OK button.
void ShowMessages(shell::DialogService& dialogs, const std::vector<core::Message>& messages);

// Writes the undo snapshot and, when it is on disk, enables Undo and
// disables Redo. A snapshot that cannot be written is reported once, naming
// the file, and leaves both buttons as they were: an Undo must never be
// offered to a state that was not stored. True when the snapshot was written.
bool StoreUndoSnapshot(const SimplexWindowContext& context);

// The engine's hooks for a window: the snapshot above, and questions asked
// in a message box with Yes and No, No the default.
EngineHooks WindowHooks(const SimplexWindowContext& context);

// Switches the main window's commands for the window named by ActiveWindow.
void UpdateCommandAvailability(const SimplexWindowContext& context);

// Widens each column of a grid (never narrows one) to its widest text, the
// header included. For grids of up to a few hundred rows.
void WidenColumnsToText(shell::GridWidget& grid);

// The width the grid needs to show all its columns side by side: the
// columns, the row numbers, a vertical scroll bar and the frame.
int GridContentWidth(const shell::GridWidget& grid);

// The height the grid needs to show all its rows, a horizontal scroll bar
// included when its columns are wider than it is.
int GridContentHeight(const shell::GridWidget& grid);

// A window size given in twips, in pixels of `widget`'s screen, kept within
// the MDI area so that a window sized for many factors still fits on screen
// (its grid scrolls instead).
QSize ChildWindowSize(const QWidget* widget, int widthTwips, int heightTwips, const QMdiArea* area);

} // namespace zeltomir::simplex
