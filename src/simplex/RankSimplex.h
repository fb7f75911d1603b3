#pragma once

#include "core/ProblemRecord.h"

#include <vector>

namespace zeltomir::simplex {

// Sorts rows 1..n of the matrix (its columns 1..m travel with each row) into
// ascending order of their keys, keys sorted along in place; both are indexed
// from 1 and must hold those slots. This is one particular heap sort, step for
// step: rows with equal keys end up in the order its comparisons give, which
// decides which of two equally good vertices is reflected next, so the steps
// must not be replaced by another sort. Fewer than two rows are left alone.
// With `rowOffset`, the rows sorted are rowOffset + 1 .. rowOffset + n of
// the matrix (the keys stay indexed from 1).
void RankSimplex(int n, int m, std::vector<double>& keys, core::Matrix& matrix, int rowOffset = 0);

} // namespace zeltomir::simplex
