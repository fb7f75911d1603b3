#include "simplex/RankSimplex.h"

namespace zeltomir::simplex {

namespace {

// One row of the matrix with its key, taken out of the table while the heap
// is rearranged.
struct HeldRow {
    double key = 0;
    std::vector<double> cells; // columns 1..m at 0..m-1
};

class RowMover {
public:
    RowMover(int m, std::vector<double>& keys, core::Matrix& matrix)
        : m_columns(m), m_keys(keys), m_matrix(matrix)
    {
    }

    double key(int row) const { return m_keys[static_cast<std::size_t>(row)]; }

    void take(int row, HeldRow& held) const
    {
        held.key = key(row);
        held.cells.resize(static_cast<std::size_t>(m_columns));
        for (int c = 1; c <= m_columns; ++c)
            held.cells[static_cast<std::size_t>(c - 1)] = m_matrix.value(c, row);
    }

    void put(const HeldRow& held, int row)
    {
        m_keys[static_cast<std::size_t>(row)] = held.key;
        for (int c = 1; c <= m_columns; ++c)
            m_matrix.at(c, row) = held.cells[static_cast<std::size_t>(c - 1)];
    }

    void move(int from, int to)
    {
        m_keys[static_cast<std::size_t>(to)] = key(from);
        for (int c = 1; c <= m_columns; ++c)
            m_matrix.at(c, to) = m_matrix.value(c, from);
    }

private:
    int m_columns;
    std::vector<double>& m_keys;
    core::Matrix& m_matrix;
};

} // namespace

void RankSimplex(int n, int m, std::vector<double>& keys, core::Matrix& matrix)
{
    // With one row the loop below would run on past slot 1 and never finish.
    if (n < 2)
        return;
    RowMover rows(m, keys, matrix);
    HeldRow held;
    int l = n / 2 + 1;
    int ir = n;
    for (;;) {
        if (l > 1) {
            --l;
            rows.take(l, held);
        } else {
            rows.take(ir, held);
            rows.move(1, ir);
            if (--ir == 1) {
                rows.put(held, 1);
                return;
            }
        }
        int i = l;
        int j = l + l;
        while (j <= ir) {
            if (j < ir && rows.key(j) < rows.key(j + 1))
                ++j;
            if (held.key < rows.key(j)) {
                rows.move(j, i);
                i = j;
                j += j;
            } else {
                j = ir + 1;
            }
        }
        rows.put(held, i);
    }
}

} // namespace zeltomir::simplex
