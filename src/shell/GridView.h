#pragma once

// The table view inside GridWidget. It adds the spreadsheet keys that a
// plain QTableView lacks (Enter opens the editor, Delete clears, the copy,
// cut and paste keys act on the selected block) and hands each of them to
// the widget, which owns the block operations.
//
// Tab and Shift+Tab move from cell to cell, but only up to the last cell and
// back to the first: there they pass the focus on to the window's next or
// previous control, as a grid inside a dialog must, or the buttons after it
// could never be reached from the keyboard. An open editor keeps its text.

#include <QTableView>

namespace zeltomir::shell {

class GridView : public QTableView {
    Q_OBJECT

public:
    explicit GridView(QWidget* parent = nullptr);

    // Ends an open cell editor, keeping what was typed.
    void finishEditing();

    // The column width at which a cell shows `text` whole. The item delegate
    // draws the text inside the cell less the grid line and the style's text
    // margins, and cuts it short with an ellipsis when its fractional width
    // exceeds that room; this asks the style for the same item size the
    // delegate's size hint gives, so the two cannot disagree by a rounding.
    int cellWidthForText(const QString& text) const;

signals:
    void copyKeyPressed();
    void cutKeyPressed();
    void pasteKeyPressed();
    void deleteKeyPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    // True when a Tab (next) or Shift+Tab (previous) would wrap around the
    // grid instead of moving to another cell: at the last or the first
    // visible cell, and in a grid without cells.
    bool atTabEdge(bool next) const;
    void leaveGrid(bool next);
};

} // namespace zeltomir::shell
