// The desktop's icon files: the very picture the windows show, at the size
// each file's folder names, and an SVG that draws the same picture.

#include "icons/IconExport.h"
#include "shell/ApplicationIcon.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace zeltomir::icons {
namespace {

const QList<int> Sizes{16, 32, 256};

QImage Argb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The largest difference of any channel of any pixel, 0..255.
int LargestDifference(const QImage& a, const QImage& b)
{
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            for (int d : {p.red() - q.red(), p.green() - q.green(), p.blue() - q.blue(), p.alpha() - q.alpha()})
                largest = std::max(largest, std::abs(d));
        }
    }
    return largest;
}

TEST(IconExport, EachPngIsTheWindowsPictureAtItsFoldersSize)
{
    QTemporaryDir theme;
    ASSERT_EQ(ExportThemeIcons(theme.path(), Sizes), QString());
    for (int size : Sizes) {
        SCOPED_TRACE(testing::Message() << size << " px");
        EXPECT_EQ(PngPath(size), QStringLiteral("%1x%1/apps/zeltomir.png").arg(size));
        const QImage png(theme.filePath(PngPath(size)));
        ASSERT_EQ(png.size(), QSize(size, size));
        EXPECT_EQ(Argb(png), Argb(shell::DrawApplicationPixmap(size).toImage()));
    }
}

TEST(IconExport, SvgDrawsTheLargestPictureAsVectors)
{
    QTemporaryDir theme;
    ASSERT_EQ(ExportThemeIcons(theme.path(), Sizes), QString());
    QFile file(theme.filePath(SvgPath()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_FALSE(text.contains("<image")) << "a bitmap wrapped in SVG";
    EXPECT_FALSE(text.contains("mm\"")) << "a fixed size in millimetres";

    QSvgRenderer renderer(text);
    ASSERT_TRUE(renderer.isValid());
    EXPECT_EQ(renderer.defaultSize(), QSize(ScalableDrawingSize, ScalableDrawingSize));
    QImage drawn(ScalableDrawingSize, ScalableDrawingSize, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    {
        QPainter painter(&drawn);
        renderer.render(&painter);
    }
    // Anti-aliased edges round a little differently (4 levels at most when
    // this was written); a missing, misplaced or recoloured shape differs by
    // far more.
    EXPECT_LE(LargestDifference(Argb(drawn), Argb(shell::DrawApplicationPixmap(ScalableDrawingSize).toImage())), 16);
}

TEST(IconExport, AFolderThatCannotBeMadeIsReported)
{
    QTemporaryDir scratch;
    const QString blocker = scratch.filePath(QStringLiteral("file"));
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString error = ExportThemeIcons(blocker, Sizes);
    EXPECT_TRUE(error.contains(QStringLiteral("cannot write"))) << error.toStdString();
}

} // namespace
} // namespace zeltomir::icons
