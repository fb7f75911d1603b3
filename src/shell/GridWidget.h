#pragma once

// The spreadsheet grid that every table of the program uses. Windows talk to
// it only through this class: cells by column and row counted from 1 with the
// column headers in row 0, the size, blocks of cells (select, clear, copy,
// cut, paste), column widths, the current cell, printing, and signals:
// cellEdited for changes the user makes, focusGained, selectionChanged and
// cellDoubleClicked.
//
// Cells hold text. A number written with setNumber shows in its general
// decimal form and is read back by parsing that text.

#include "core/NumberText.h"
#include "core/TextRow.h"
#include "shell/GridBlock.h"
#include "shell/GridModel.h"

#include <QString>
#include <QWidget>

#include <vector>

class QPagedPaintDevice;
class QPrinter;

namespace zeltomir::shell {

class GridView;

class GridWidget : public QWidget {
    Q_OBJECT

public:
    explicit GridWidget(QWidget* parent = nullptr);
    ~GridWidget() override;

    // A new grid has no columns and no rows; windows set the size first.
    // Writing a cell beyond the size grows the grid to take it.
    int maxCols() const;
    int maxRows() const;
    void setMaxCols(int cols);
    void setMaxRows(int rows);

    // Row 0 is the header row. Reading outside the grid gives "". These are
    // program writes: they never emit cellEdited and ignore read-only mode.
    QString cell(int col, int row) const;
    // The same text without a copy, valid until the grid next changes.
    QStringView cellView(int col, int row) const { return m_model->cellView(col, row); }
    void setCell(int col, int row, const QString& text);
    // Whole rows from firstRow on in one write (rows[i] is row firstRow + i,
    // from column 1), growing the grid to take them.
    void setRows(int firstRow, std::vector<core::TextRow> rows);
    // The general decimal form in the user's locale (15 or 7 significant
    // digits).
    void setNumber(int col, int row, double value, core::Precision precision = core::Precision::Double);
    void setInteger(int col, int row, qint64 value);
    // The first row from row 0 on whose cell in `col` is empty: where the
    // next record of a list that fills from the top goes.
    int firstEmptyRow(int col) const;

    // The user cannot edit a read-only grid; cut, paste and Delete leave it
    // unchanged. A locked column is read-only for the user as well.
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    void setColumnEditable(int col, bool editable);

    // Column widths in pixels of this widget's screen.
    int colWidth(int col) const;
    void setColWidth(int col, int pixels);
    // The width in pixels that column `col` needs to show its widest text in
    // full, the header included, with the grid's fonts and cell margins: a
    // column set to it shows every text without an ellipsis. (A cell of
    // several lines counts with its widest line.) Measures every cell.
    int maxTextColWidth(int col) const;
    // The same for one text in a cell of the grid, and for the header of
    // column `col` (0 when it is empty or outside the grid).
    int cellTextWidth(const QString& text) const;
    int headerTextWidth(int col) const;
    // The height the grid needs to show every row without scrolling: the
    // header row, the rows, and the frame (a horizontal scroll bar, if the
    // columns need one, comes on top).
    int rowsHeight() const;
    // Widens column `col` (never narrows it) so that `text` shows in full in
    // one of its cells, measured in pixels with the grid's font: the one rule
    // by which every table keeps a number from being cut off when it arrives.
    void widenColumnToText(int col, const QString& text);

    // The current cell. When the grid has no cells it reads as (1, 1).
    int currentCol() const;
    int currentRow() const;
    void setCurrentCell(int col, int row);
    // Scrolls the rows so that `row` is in view, as far as needed and no
    // further. The columns stay where they are, and so do the current cell
    // and the selection, which the clipboard commands act on. Rows outside
    // the grid (and the header row, always in view) change nothing.
    void scrollToRow(int row);
    // For a table that grows at the bottom: while the rows are scrolled to
    // the end they stay there, whatever comes (rows added or taken away, a
    // taller or shorter grid, a scroll bar across that comes or goes). A user
    // who scrolls away from the end keeps the place until scrolling back to
    // it. Off in a new grid.
    void setFollowsEnd(bool follows);
    // Whether the rows are scrolled to the end, as far as the rows laid out
    // so far go: rows just written are laid out when the event loop next
    // runs, or by scrollToEnd.
    bool atEnd() const { return m_atEnd; }
    // Lays the rows out now and scrolls to the end, the last row whole in
    // view, leaving the columns where they are.
    void scrollToEnd();
    // The bounding block of the user's selection, or the current cell when
    // nothing is selected. The selection never includes the header row.
    GridBlock selectedBlock() const;
    // Whether any cell is selected. A grid given the focus has a current
    // cell, but nothing selected until the user clicks or moves.
    bool hasSelection() const;

    // Block actions. Headers take part when the block starts at row 0,
    // except that the user's cut and paste never change headers.
    void selectBlock(const GridBlock& block);
    // Empties every cell of the block (the program's clear; no cellEdited).
    // Cells hold no formatting, so clearing the contents and clearing the
    // text are the same.
    void clearBlock(const GridBlock& block);
    void clearBlockText(const GridBlock& block) { clearBlock(block); }
    // The block as tab-separated text, as copyBlock puts it on the clipboard.
    QString blockText(const GridBlock& block) const;
    // Puts the block on the clipboard as that text and as an HTML table of
    // the same cells.
    void copyBlock(const GridBlock& block);
    // Copies the block, then empties its editable cells (cellEdited for each
    // one that changed). Does nothing in a read-only grid.
    void cutBlock(const GridBlock& block);
    // Pastes the clipboard text with its top-left cell at the current cell.
    void paste();
    // Pastes tab-separated text with its top-left cell at (col, row). Cells
    // that fall outside the grid are dropped and only editable cells are
    // written, each change reported through cellEdited.
    void pasteText(int col, int row, const QString& text);

    // Ends an open cell editor, keeping what the user typed, so that a
    // command reads the edited value.
    void finishEditing();

    // Prints the whole grid, paginated (GridPrinter). False when the printer
    // is not valid or printing cannot start or finish.
    bool print(QPrinter& printer);
    bool print(QPagedPaintDevice& device);
    int pagesPrinted() const { return m_pagesPrinted; }

signals:
    // The user changed the cell: in its editor, or by cut, paste or Delete.
    void cellEdited(int col, int row);
    // The input focus came into the grid from elsewhere.
    void focusGained();
    // The selection or the current cell changed.
    void selectionChanged();
    // A cell was double-clicked, whether or not it can be edited.
    void cellDoubleClicked(int col, int row);

private:
    void onFocusChanged(QWidget* old, QWidget* now);
    bool contains(const QWidget* widget) const;

    GridModel* m_model;
    GridView* m_view;
    int m_pagesPrinted = 0;
    bool m_followsEnd = false;
    bool m_atEnd = true;
};

} // namespace zeltomir::shell
