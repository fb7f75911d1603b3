#include "shell/ApplicationIcon.h"
#include "shell/ToolbarIcons.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace zeltomir::shell {
namespace {

QImage Argb(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Opaque pixels within a small distance of a colour.
int PixelsNear(const QImage& source, const QColor& colour)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() > 200 && std::abs(pixel.red() - colour.red()) < 24
                && std::abs(pixel.green() - colour.green()) < 24 && std::abs(pixel.blue() - colour.blue()) < 24)
                ++count;
        }
    }
    return count;
}

TEST(ApplicationIcon, EverySizeIsDrawnForItselfAndShowsTheVerticesAndTheMove)
{
    const QIcon icon = DrawnApplicationIcon();
    ASSERT_FALSE(icon.isNull());
    const QColor reflectedVertex(0xf5, 0xc2, 0x11);
    const QColor keptVertex(0x1c, 0x71, 0xd8);
    const QColor move(0xe6, 0x61, 0x00);
    for (int size : DrawnApplicationIconSizes) {
        SCOPED_TRACE(testing::Message() << size << " px");
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
        ASSERT_EQ(pixmap.size(), QSize(size, size));
        EXPECT_EQ(Argb(pixmap), Argb(DrawApplicationPixmap(size)));
        // Each part survives even the title bar's size: the dots of the
        // reflected and the kept vertices and the arrow of the move.
        const QImage image = pixmap.toImage();
        EXPECT_GT(PixelsNear(image, reflectedVertex), 0);
        EXPECT_GT(PixelsNear(image, keptVertex), 0);
        EXPECT_GT(PixelsNear(image, move), 0);
        // A picture with a clear surround, not a filled square.
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
    }
}

TEST(ApplicationIcon, HighDensityScreensGetPicturesDrawnAtTheirRatio)
{
    for (int size : {16, 32}) {
        SCOPED_TRACE(size);
        const QPixmap pixmap = DrawnApplicationIcon().pixmap(QSize(size, size), 2.0);
        EXPECT_EQ(pixmap.size(), QSize(2 * size, 2 * size));
        EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), 2.0);
        EXPECT_EQ(Argb(pixmap), Argb(DrawApplicationPixmap(size, 2.0)));
    }
}

TEST(ApplicationIcon, DiffersFromEveryToolbarPicture)
{
    for (int size : {16, 24, 32, 48}) {
        const QImage application = Argb(DrawApplicationPixmap(size));
        for (ToolbarIconKind kind : ToolbarIconKinds) {
            SCOPED_TRACE(testing::Message() << size << " px, toolbar picture " << static_cast<int>(kind));
            EXPECT_NE(application, Argb(DrawToolbarPixmap(kind, size)));
        }
    }
}

} // namespace
} // namespace zeltomir::shell
