#include "simplex/GridText.h"

#include <algorithm>

namespace zeltomir::simplex {

GridText::GridText(int rows, int columns)
{
    resize(rows, columns);
}

QString GridText::cell(int row, int column) const
{
    if (row < 0 || column < 0 || row > m_rows || column > m_columns)
        return {};
    return m_cells[static_cast<std::size_t>(index(row, column))];
}

void GridText::setCell(int row, int column, const QString& text)
{
    if (row < 0 || column < 0)
        return;
    if (row > m_rows || column > m_columns)
        resize(std::max(row, m_rows), std::max(column, m_columns));
    m_cells[static_cast<std::size_t>(index(row, column))] = text;
}

void GridText::resize(int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    std::vector<QString> cells(static_cast<std::size_t>((rows + 1) * (columns + 1)));
    for (int r = 0; r <= std::min(rows, m_rows); ++r)
        for (int c = 0; c <= std::min(columns, m_columns); ++c)
            cells[static_cast<std::size_t>(r * (columns + 1) + c)] = std::move(m_cells[static_cast<std::size_t>(index(r, c))]);
    m_cells = std::move(cells);
    m_rows = rows;
    m_columns = columns;
}

} // namespace zeltomir::simplex
