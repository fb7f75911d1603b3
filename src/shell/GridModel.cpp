#include "shell/GridModel.h"

#include <algorithm>
#include <utility>

namespace zeltomir::shell {

GridModel::GridModel(QObject* parent) : QAbstractTableModel(parent) {}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_cols; }

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    return cell(index.column() + 1, index.row() + 1);
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole
        || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const int col = index.column() + 1;
    const int row = index.row() + 1;
    if (!isCellEditable(col, row))
        return false;
    if (store(col, row, value.toString())) {
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
        emit cellEdited(col, row);
    }
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || section < 0)
        return {};
    if (orientation == Qt::Vertical)
        return section < m_rows ? QVariant(section + 1) : QVariant();
    return section < m_cols ? QVariant(cell(section + 1, 0)) : QVariant();
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (isCellEditable(index.column() + 1, index.row() + 1))
        result |= Qt::ItemIsEditable;
    return result;
}

void GridModel::setMaxCols(int cols)
{
    cols = std::clamp(cols, 0, MaxColsLimit);
    if (cols > m_cols) {
        beginInsertColumns(QModelIndex(), m_cols, cols - 1);
        m_cols = cols;
        endInsertColumns();
    } else if (cols < m_cols) {
        beginRemoveColumns(QModelIndex(), cols, m_cols - 1);
        m_cols = cols;
        const auto width = static_cast<std::size_t>(cols);
        for (core::TextRow& rowCells : m_cells)
            rowCells.truncate(cols);
        if (m_headers.size() > width)
            m_headers.resize(width);
        endRemoveColumns();
    }
}

void GridModel::setMaxRows(int rows)
{
    rows = std::clamp(rows, 0, MaxRowsLimit);
    if (rows > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, rows - 1);
        m_rows = rows;
        endInsertRows();
    } else if (rows < m_rows) {
        beginRemoveRows(QModelIndex(), rows, m_rows - 1);
        m_rows = rows;
        if (m_cells.size() > static_cast<std::size_t>(rows))
            m_cells.resize(static_cast<std::size_t>(rows));
        endRemoveRows();
    }
}

QString GridModel::cell(int col, int row) const { return cellView(col, row).toString(); }


void GridModel::setCell(int col, int row, const QString& text)
{
    if (col < 1 || row < 0 || col > MaxColsLimit || row > MaxRowsLimit)
        return;
    if (col > m_cols)
        setMaxCols(col);
    if (row > m_rows)
        setMaxRows(row);
    if (store(col, row, text))
        notifyChanged({col, row, col, row});
}

void GridModel::setRows(int firstRow, std::vector<core::TextRow> rows)
{
    if (firstRow < 1 || rows.empty() || firstRow > MaxRowsLimit)
        return;
    const auto count = std::min<qsizetype>(static_cast<qsizetype>(rows.size()), MaxRowsLimit - firstRow + 1);
    const int lastRow = firstRow + static_cast<int>(count) - 1;
    qsizetype widest = 0;
    for (qsizetype i = 0; i < count; ++i) {
        core::TextRow& row = rows[static_cast<std::size_t>(i)];
        row.truncate(MaxColsLimit);
        widest = std::max(widest, row.size());
    }
    if (static_cast<int>(widest) > m_cols)
        setMaxCols(static_cast<int>(widest));
    if (lastRow > m_rows)
        setMaxRows(lastRow);
    if (m_cells.size() < static_cast<std::size_t>(lastRow))
        m_cells.resize(static_cast<std::size_t>(lastRow));
    for (qsizetype i = 0; i < count; ++i)
        m_cells[static_cast<std::size_t>(firstRow - 1 + i)] = std::move(rows[static_cast<std::size_t>(i)]);
    notifyChanged({1, firstRow, std::max(m_cols, 1), lastRow});
}

void GridModel::setReadOnly(bool readOnly) { m_readOnly = readOnly; }

void GridModel::setColumnEditable(int col, bool editable)
{
    if (col < 1 || col > MaxColsLimit)
        return;
    const auto c = static_cast<std::size_t>(col - 1);
    if (c >= m_lockedCols.size()) {
        if (editable)
            return;
        m_lockedCols.resize(c + 1, false);
    }
    m_lockedCols[c] = !editable;
}

bool GridModel::isCellEditable(int col, int row) const
{
    if (m_readOnly || row < 1 || !inside(col, row))
        return false;
    const auto c = static_cast<std::size_t>(col - 1);
    return c >= m_lockedCols.size() || !m_lockedCols[c];
}

std::optional<GridBlock> GridModel::clipped(const GridBlock& block) const
{
    GridBlock b{std::min(block.col, block.col2), std::min(block.row, block.row2),
                std::max(block.col, block.col2), std::max(block.row, block.row2)};
    b.col = std::max(b.col, 1);
    b.row = std::max(b.row, 0);
    b.col2 = std::min(b.col2, m_cols);
    b.row2 = std::min(b.row2, m_rows);
    if (b.col > b.col2 || b.row > b.row2)
        return std::nullopt;
    return b;
}

core::TabRows GridModel::blockRows(const GridBlock& block) const
{
    core::TabRows rows;
    const auto b = clipped(block);
    if (!b)
        return rows;
    rows.reserve(b->row2 - b->row + 1);
    for (int r = b->row; r <= b->row2; ++r) {
        QStringList rowTexts;
        rowTexts.reserve(b->col2 - b->col + 1);
        for (int c = b->col; c <= b->col2; ++c)
            rowTexts.append(cell(c, r));
        rows.append(std::move(rowTexts));
    }
    return rows;
}

void GridModel::clearBlock(const GridBlock& block)
{
    const auto b = clipped(block);
    if (!b)
        return;
    for (int r = b->row; r <= b->row2; ++r) {
        for (int c = b->col; c <= b->col2; ++c)
            store(c, r, QString());
    }
    notifyChanged(*b);
}

void GridModel::clearEditable(const GridBlock& block)
{
    const auto b = clipped(block);
    if (!b)
        return;
    std::vector<std::pair<int, int>> changed;
    for (int r = b->row; r <= b->row2; ++r) {
        for (int c = b->col; c <= b->col2; ++c) {
            if (isCellEditable(c, r) && store(c, r, QString()))
                changed.emplace_back(c, r);
        }
    }
    notifyUserEdits(changed);
}

void GridModel::pasteRows(int col, int row, const core::TabRows& rows)
{
    qsizetype width = 0;
    for (const QStringList& rowTexts : rows)
        width = std::max(width, rowTexts.size());
    std::vector<std::pair<int, int>> changed;
    // Stop at the grid's edges before adding offsets, so a huge pasted block
    // cannot overflow the cell coordinates.
    const qsizetype rowsInside = std::clamp<qsizetype>(qsizetype(m_rows) - row + 1, 0, rows.size());
    const qsizetype colsInside = std::clamp<qsizetype>(qsizetype(m_cols) - col + 1, 0, width);
    for (qsizetype i = 0; i < rowsInside; ++i) {
        const QStringList& rowTexts = rows[i];
        for (qsizetype j = 0; j < colsInside; ++j) {
            const int c = col + static_cast<int>(j);
            const int r = row + static_cast<int>(i);
            if (!isCellEditable(c, r))
                continue;
            if (store(c, r, j < rowTexts.size() ? rowTexts[j] : QString()))
                changed.emplace_back(c, r);
        }
    }
    notifyUserEdits(changed);
}

bool GridModel::store(int col, int row, const QString& text)
{
    const auto c = static_cast<std::size_t>(col - 1);
    if (row == 0) {
        if (c >= m_headers.size()) {
            if (text.isEmpty())
                return false;
            m_headers.resize(c + 1);
        }
        if (m_headers[c] == text)
            return false;
        m_headers[c] = text;
        return true;
    }
    const auto r = static_cast<std::size_t>(row - 1);
    if (r >= m_cells.size()) {
        if (text.isEmpty())
            return false;
        m_cells.resize(r + 1);
    }
    return m_cells[r].set(col - 1, text);
}


void GridModel::notifyChanged(const GridBlock& block)
{
    if (block.row == 0)
        emit headerDataChanged(Qt::Horizontal, block.col - 1, block.col2 - 1);
    const int firstRow = std::max(block.row, 1);
    if (firstRow <= block.row2)
        emit dataChanged(index(firstRow - 1, block.col - 1), index(block.row2 - 1, block.col2 - 1),
                         {Qt::DisplayRole, Qt::EditRole});
}

void GridModel::notifyUserEdits(const std::vector<std::pair<int, int>>& cells)
{
    if (cells.empty())
        return;
    GridBlock bounds{cells.front().first, cells.front().second, cells.front().first, cells.front().second};
    for (const auto& [c, r] : cells) {
        bounds.col = std::min(bounds.col, c);
        bounds.col2 = std::max(bounds.col2, c);
        bounds.row = std::min(bounds.row, r);
        bounds.row2 = std::max(bounds.row2, r);
    }
    notifyChanged(bounds);
    for (const auto& [c, r] : cells)
        emit cellEdited(c, r);
}

} // namespace zeltomir::shell
