#pragma once

// The user's hands and eyes in the window tests: typing into a box, editing
// a grid cell and clicking a button through key and mouse events, so that the
// widgets' own handlers run as they do for the user; and whether a row is in
// sight.

class QLineEdit;
class QPushButton;
class QString;

namespace zeltomir::shell {
class GridWidget;
}

namespace zeltomir::testsupport {

// Replaces the text of a line edit as typing would, one character at a time.
void TypeInto(QLineEdit* box, const QString& text);

// Writes a cell as the user's editor does (a user edit, with cellEdited):
// F2, the text replacing the old one, Enter.
void EditCell(shell::GridWidget& grid, int col, int row, const QString& text);

// A missing or disabled button fails the test instead of being clicked.
void Click(QPushButton* button);

// Whether the whole first cell of data row `row` lies in the grid's view.
bool RowInView(const shell::GridWidget& grid, int row);

} // namespace zeltomir::testsupport
