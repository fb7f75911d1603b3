#include "simplex/RankSimplex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace zeltomir::simplex {
namespace {

// The heap sort transcribed step by step on plain arrays of keys and row
// identities (slot 0 unused), as the reference for where equal keys end up.
void ReferenceHeapSort(int n, std::vector<double>& key, std::vector<int>& id)
{
    if (n < 2)
        return;
    int l = n / 2 + 1;
    int ir = n;
    for (;;) {
        double rra;
        int rid;
        if (l > 1) {
            l = l - 1;
            rra = key[l];
            rid = id[l];
        } else {
            rra = key[ir];
            rid = id[ir];
            key[ir] = key[1];
            id[ir] = id[1];
            ir = ir - 1;
            if (ir == 1) {
                key[1] = rra;
                id[1] = rid;
                return;
            }
        }
        int i = l;
        int j = l + l;
        while (j <= ir) {
            if (j < ir && key[j] < key[j + 1])
                j = j + 1;
            if (rra < key[j]) {
                key[i] = key[j];
                id[i] = id[j];
                i = j;
                j = j + j;
            } else {
                j = ir + 1;
            }
        }
        key[i] = rra;
        id[i] = rid;
    }
}

// Rows 1..n of a 3-column matrix: the row's identity, its key, and a marker.
core::Matrix RowsFor(const std::vector<double>& keys)
{
    const int n = static_cast<int>(keys.size()) - 1;
    core::Matrix matrix(3, n);
    for (int r = 1; r <= n; ++r) {
        matrix.at(1, r) = r;
        matrix.at(2, r) = keys[static_cast<std::size_t>(r)];
        matrix.at(3, r) = 100 + r;
    }
    return matrix;
}

TEST(RankSimplex, EqualKeysEndInTheHeapSortsOrder)
{
    // Worked by hand: keys 1, 1, 0 end as rows 3, 2, 1 (the two equal keys swap).
    std::vector<double> keys{0, 1, 1, 0};
    core::Matrix matrix = RowsFor(keys);
    RankSimplex(3, 3, keys, matrix);
    EXPECT_EQ(keys, (std::vector<double>{0, 0, 1, 1}));
    EXPECT_EQ(matrix.value(1, 1), 3);
    EXPECT_EQ(matrix.value(1, 2), 2);
    EXPECT_EQ(matrix.value(1, 3), 1);
}

TEST(RankSimplex, MatchesTheReferenceOnRandomKeysWithTies)
{
    std::mt19937 random(20240611);
    for (int trial = 0; trial < 2000; ++trial) {
        const int n = 1 + static_cast<int>(random() % 14);
        const int distinct = 1 + static_cast<int>(random() % 5); // few values: many ties
        std::vector<double> keys(static_cast<std::size_t>(n) + 1, 0.0);
        for (int r = 1; r <= n; ++r)
            keys[static_cast<std::size_t>(r)] = static_cast<double>(random() % distinct) - 1.5;
        SCOPED_TRACE(::testing::Message() << "trial " << trial << ", n " << n);

        std::vector<double> referenceKeys = keys;
        std::vector<int> referenceIds(static_cast<std::size_t>(n) + 1);
        for (int r = 0; r <= n; ++r)
            referenceIds[static_cast<std::size_t>(r)] = r;
        ReferenceHeapSort(n, referenceKeys, referenceIds);

        core::Matrix matrix = RowsFor(keys);
        RankSimplex(n, 3, keys, matrix);
        ASSERT_EQ(keys, referenceKeys);
        ASSERT_TRUE(std::is_sorted(keys.begin() + 1, keys.end()));
        for (int r = 1; r <= n; ++r) {
            const int id = referenceIds[static_cast<std::size_t>(r)];
            ASSERT_EQ(matrix.value(1, r), id);
            ASSERT_EQ(matrix.value(2, r), keys[static_cast<std::size_t>(r)]); // every column travels with its row
            ASSERT_EQ(matrix.value(3, r), 100 + id);
        }
    }
}

TEST(RankSimplex, LeavesColumnsBeyondMAndRowsBeyondNAlone)
{
    std::vector<double> keys{0, 3, 2, 1, -5};
    core::Matrix matrix = RowsFor(keys);
    RankSimplex(3, 2, keys, matrix);
    EXPECT_EQ(keys, (std::vector<double>{0, 1, 2, 3, -5}));
    EXPECT_EQ(matrix.value(1, 1), 3);
    EXPECT_EQ(matrix.value(3, 1), 101); // column 3 is not part of the rows here
    EXPECT_EQ(matrix.value(1, 4), 4);

    // Rows 2..4 ranked, row 1 above them kept where it is.
    std::vector<double> shifted{0, 2, 1, -5};
    core::Matrix offset = RowsFor(std::vector<double>{0, 3, 2, 1, -5});
    RankSimplex(3, 3, shifted, offset, 1);
    EXPECT_EQ(offset.value(1, 1), 1);
    EXPECT_EQ((std::vector<double>{offset.value(1, 2), offset.value(1, 3), offset.value(1, 4)}),
              (std::vector<double>{4, 3, 2}));
}

TEST(RankSimplex, OneRowOrNoneIsLeftAsItIs)
{
    for (int n : {0, 1}) {
        std::vector<double> keys{0, 7};
        core::Matrix matrix = RowsFor(keys);
        RankSimplex(n, 3, keys, matrix);
        EXPECT_EQ(keys, (std::vector<double>{0, 7}));
        EXPECT_EQ(matrix.value(1, 1), 1);
    }
}

} // namespace
} // namespace zeltomir::simplex
