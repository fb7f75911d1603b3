#pragma once

#include <QString>

#include <vector>

namespace zeltomir::simplex {

// The texts of a grid's cells as the engine reads and writes them, addressed
// (row, column) from 1 like the grid itself; row 0 holds the column headers.
// A window copies its grid into one of these before a commit and copies the
// engine's answer back. Reading outside the cells gives an empty text, which
// every check treats like an empty cell.
class GridText {
public:
    GridText() = default;
    GridText(int rows, int columns);

    int rowCount() const { return m_rows; }
    int columnCount() const { return m_columns; }

    QString cell(int row, int column) const;
    // Grows the grid when the cell lies beyond it; negative addresses are ignored.
    void setCell(int row, int column, const QString& text);

    QString header(int column) const { return cell(0, column); }
    void setHeader(int column, const QString& text) { setCell(0, column, text); }

    // New shape keeping the texts of the cells that lie in both shapes.
    void resize(int rows, int columns);

    friend bool operator==(const GridText&, const GridText&) = default;

private:
    int index(int row, int column) const { return row * (m_columns + 1) + column; }

    int m_rows = 0;
    int m_columns = 0;
    std::vector<QString> m_cells = std::vector<QString>(1); // (rows + 1) x (columns + 1), row-major
};

} // namespace zeltomir::simplex
