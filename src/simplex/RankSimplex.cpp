#include "simplex/RankSimplex.h"

#include <numeric>

namespace zeltomir::simplex {

namespace {

// The heap sort moves row numbers with the keys; the rows of the matrix
// themselves, k + 4 numbers each, move once at the end. At 100 factors that
// is one pass over the simplex instead of a copy per heap step.
std::vector<int> HeapSortOrder(int n, std::vector<double>& keys)
{
    std::vector<int> order(static_cast<std::size_t>(n) + 1);
    std::iota(order.begin(), order.end(), 0);
    const auto key = [&keys](int slot) -> double& { return keys[static_cast<std::size_t>(slot)]; };
    const auto row = [&order](int slot) -> int& { return order[static_cast<std::size_t>(slot)]; };
    double heldKey = 0;
    int heldRow = 0;
    int l = n / 2 + 1;
    int ir = n;
    for (;;) {
        if (l > 1) {
            --l;
            heldKey = key(l);
            heldRow = row(l);
        } else {
            heldKey = key(ir);
            heldRow = row(ir);
            key(ir) = key(1);
            row(ir) = row(1);
            if (--ir == 1) {
                key(1) = heldKey;
                row(1) = heldRow;
                return order;
            }
        }
        int i = l;
        int j = l + l;
        while (j <= ir) {
            if (j < ir && key(j) < key(j + 1))
                ++j;
            if (heldKey < key(j)) {
                key(i) = key(j);
                row(i) = row(j);
                i = j;
                j += j;
            } else {
                j = ir + 1;
            }
        }
        key(i) = heldKey;
        row(i) = heldRow;
    }
}

} // namespace

void RankSimplex(int n, int m, std::vector<double>& keys, core::Matrix& matrix, int rowOffset)
{
    // With one row the loop would run on past slot 1 and never finish.
    if (n < 2)
        return;
    const std::vector<int> order = HeapSortOrder(n, keys);
    std::vector<double> sorted(static_cast<std::size_t>(n) + 1);
    for (int c = 1; c <= m; ++c) {
        for (int r = 1; r <= n; ++r)
            sorted[static_cast<std::size_t>(r)] = matrix.value(c, rowOffset + order[static_cast<std::size_t>(r)]);
        for (int r = 1; r <= n; ++r)
            matrix.at(c, rowOffset + r) = sorted[static_cast<std::size_t>(r)];
    }
}

} // namespace zeltomir::simplex
