#include "shell/Twips.h"

#include <gtest/gtest.h>

namespace zeltomir::shell {
namespace {

struct TwipsRow {
    int twips;
    int dpi;
    int pixels;
};

// 1440 twips make an inch; pixels round to the nearest whole one.
const TwipsRow Rows[] = {
    {1440, 96, 96}, {408, 96, 27},  {1428, 96, 95}, {2085, 96, 139}, {100, 96, 7},
    {408, 120, 34}, {408, 144, 41}, {0, 96, 0},     {-100, 96, -7},  {15, 96, 1},
};

TEST(Twips, ConvertAtTheScreensDpi)
{
    for (const TwipsRow& row : Rows) {
        SCOPED_TRACE(testing::Message() << row.twips << " twips at " << row.dpi << " dpi");
        EXPECT_EQ(TwipsToPixels(row.twips, row.dpi), row.pixels);
    }
}

TEST(Twips, PixelsBackToTwips)
{
    EXPECT_EQ(PixelsToTwips(96, 96), 1440);
    EXPECT_EQ(PixelsToTwips(27, 96), 405);
    EXPECT_EQ(PixelsToTwips(10, 0), 0);
}

TEST(Twips, WidgetlessSizesUseTheUsualDpi)
{
    EXPECT_EQ(TwipsX(nullptr, 1440), FallbackDpi);
    EXPECT_EQ(TwipsSize(nullptr, 408, 720), QSize(27, 48));
}

} // namespace
} // namespace zeltomir::shell
