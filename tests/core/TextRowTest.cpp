#include "core/TextRow.h"

#include <gtest/gtest.h>

#include <QStringList>

using zeltomir::core::TextRow;

namespace {

QStringList CellsOf(const TextRow& row)
{
    QStringList cells;
    for (qsizetype i = 0; i < row.size(); ++i)
        cells << row.at(i).toString();
    return cells;
}

} // namespace

// Setting a cell moves the cells after it; a grid editing one cell must not
// disturb its neighbours.
TEST(TextRow, SetKeepsTheOtherCells)
{
    const struct {
        qsizetype cell;
        const char* text;
        bool changed;
        QStringList expected;
    } cases[] = {
        {1, "longer text", true, {"a", "longer text", "ccc"}},
        {1, "", true, {"a", "", "ccc"}},
        {0, "a", false, {"a", "bb", "ccc"}},
        {2, "c", true, {"a", "bb", "c"}},
        {4, "e", true, {"a", "bb", "ccc", "", "e"}},
        {5, "", false, {"a", "bb", "ccc"}},
        {-1, "x", false, {"a", "bb", "ccc"}},
    };
    for (const auto& c : cases) {
        TextRow row;
        for (const char* text : {"a", "bb", "ccc"})
            row.append(QString::fromLatin1(text));
        EXPECT_EQ(row.set(c.cell, QString::fromLatin1(c.text)), c.changed) << c.cell << c.text;
        EXPECT_EQ(CellsOf(row), c.expected) << c.cell << c.text;
        EXPECT_TRUE(row.at(row.size()).isEmpty());
        row.truncate(1);
        EXPECT_EQ(CellsOf(row), QStringList{"a"});
    }
}
