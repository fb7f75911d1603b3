#pragma once

namespace zeltomir::shell {

// A rectangle of grid cells from (col, row) to (col2, row2), corners
// included, counted from 1; row 0 is the header row, so a block that starts
// at row 0 takes the column headers along. The corners may come in either
// order; operations clip the block to the grid and skip what lies outside.
struct GridBlock {
    int col = 1;
    int row = 1;
    int col2 = 1;
    int row2 = 1;

    friend bool operator==(const GridBlock&, const GridBlock&) = default;
};

} // namespace zeltomir::shell
