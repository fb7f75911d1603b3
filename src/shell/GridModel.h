#pragma once

// The cells of one grid as text, shaped for a QTableView. The grid counts
// columns and rows from 1 with the column headers in row 0; the model
// translates that to Qt's 0-based indexes (cell (c, r) is index (r-1, c-1),
// header c is horizontal section c-1). Each row's texts are packed in one
// string; a row that was never written costs one empty row, so a tall grid
// that is mostly empty stays small.

#include "core/TabText.h"
#include "core/TextRow.h"
#include "shell/GridBlock.h"

#include <QAbstractTableModel>
#include <QString>

#include <optional>
#include <vector>

namespace zeltomir::shell {

class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Sizes beyond these are clamped: far more than any table of the program
    // needs, small enough that a stray write cannot exhaust memory.
    static constexpr int MaxColsLimit = 4096;
    static constexpr int MaxRowsLimit = 1'000'000;

    explicit GridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The path of the view's cell editor: a user edit. Emits cellEdited
    // when the text changed.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    int maxCols() const { return m_cols; }
    int maxRows() const { return m_rows; }
    // Grow or shrink, keeping the cells that remain inside.
    void setMaxCols(int cols);
    void setMaxRows(int rows);

    // Row 0 is the header. Outside the grid a cell reads as "".
    QString cell(int col, int row) const;
    // The same text without a copy, valid until the grid next changes: for
    // passes over a whole table.
    QStringView cellView(int col, int row) const
    {
        if (!inside(col, row))
            return {};
        const auto c = static_cast<std::size_t>(col - 1);
        if (row == 0)
            return c < m_headers.size() ? QStringView(m_headers[c]) : QStringView();
        const auto r = static_cast<std::size_t>(row - 1);
        return r < m_cells.size() ? m_cells[r].at(col - 1) : QStringView();
    }
    // A program write: no cellEdited. Writing beyond the size grows the grid
    // to take the cell (up to the limits); a column below 1 or a row below 0
    // is ignored. Read-only cells are written all the same.
    void setCell(int col, int row, const QString& text);
    // Program writes of whole rows from firstRow on (rows[i] is row
    // firstRow + i, its cells from column 1), growing the grid to take them,
    // with one change signal for the lot: a table of a million cells is
    // written this way.
    void setRows(int firstRow, std::vector<core::TextRow> rows);

    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    void setColumnEditable(int col, bool editable);
    // Whether the user may change the cell: never a header, never in a
    // read-only grid or a locked column.
    bool isCellEditable(int col, int row) const;

    // The block with its corners ordered and cut to the grid (row 0 counts as
    // inside); nullopt when nothing of it lies inside.
    std::optional<GridBlock> clipped(const GridBlock& block) const;
    // The texts of the clipped block, one list per row.
    core::TabRows blockRows(const GridBlock& block) const;

    // A program clear: every cell of the block, headers included when the
    // block takes row 0, whether editable or not. No cellEdited.
    void clearBlock(const GridBlock& block);
    // The user's clear (cut, the Delete key): the editable cells of the
    // block; emits cellEdited for each cell that changed.
    void clearEditable(const GridBlock& block);
    // The user's paste with (col, row) as top-left corner. The rows form a
    // rectangle as wide as the longest row (missing cells are empty); cells
    // outside the grid, on the header row or not editable are skipped.
    // Emits cellEdited for each cell that changed, after all are written.
    void pasteRows(int col, int row, const core::TabRows& rows);

signals:
    void cellEdited(int col, int row);

private:
    // Stores without any signal; returns whether the text changed.
    bool store(int col, int row, const QString& text);
    bool inside(int col, int row) const { return col >= 1 && col <= m_cols && row >= 0 && row <= m_rows; }
    void notifyChanged(const GridBlock& block);
    void notifyUserEdits(const std::vector<std::pair<int, int>>& cells);

    int m_cols = 0;
    int m_rows = 0;
    // Row r is m_cells[r - 1], cell c its cell c - 1; rows and cells past
    // the ends are empty.
    std::vector<core::TextRow> m_cells;
    std::vector<QString> m_headers;
    std::vector<bool> m_lockedCols;
    bool m_readOnly = false;
};

} // namespace zeltomir::shell
