#include "shell/ButtonBar.h"
#include "shell/ToolbarIcons.h"

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace zeltomir::shell {
namespace {

const char* KindName(ToolbarIconKind kind)
{
    static const char* const Names[] = {"New", "Open",  "Save", "Print", "Cut",  "Copy",
                                        "Paste", "Undo", "Redo", "Help", "Exit"};
    return Names[static_cast<int>(kind)];
}

struct Coverage {
    int opaque = 0;
    int transparent = 0;
    int maxSaturation = 0;
};

Coverage Measure(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    Coverage coverage;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() == 0) {
                ++coverage.transparent;
                continue;
            }
            if (colour.alpha() > 200)
                ++coverage.opaque;
            coverage.maxSaturation = std::max(coverage.maxSaturation, colour.hsvSaturation());
        }
    }
    return coverage;
}

QImage Argb(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(ToolbarIcons, EveryKindIsDrawnAtEverySizeWithoutScaling)
{
    for (ToolbarIconKind kind : ToolbarIconKinds) {
        const QIcon icon = DrawnToolbarIcon(kind);
        ASSERT_FALSE(icon.isNull()) << KindName(kind);
        for (int size : DrawnToolbarIconSizes) {
            SCOPED_TRACE(testing::Message() << KindName(kind) << " at " << size << " px");
            EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
            const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
            ASSERT_EQ(pixmap.size(), QSize(size, size));
            // The icon hands out the picture drawn for this size, not another
            // one shrunk or blown up to it.
            EXPECT_EQ(Argb(pixmap), Argb(DrawToolbarPixmap(kind, size)));
            const Coverage coverage = Measure(pixmap.toImage());
            // A picture on a clear background: solid paint, but not a filled square.
            EXPECT_GT(coverage.opaque, size * size / 6);
            EXPECT_GT(coverage.transparent, 0);
        }
    }
}

TEST(ToolbarIcons, HighDensityScreensGetPicturesDrawnAtTheirRatio)
{
    for (ToolbarIconKind kind : ToolbarIconKinds) {
        for (int size : {20, 24}) {
            SCOPED_TRACE(testing::Message() << KindName(kind) << " at " << size << " px, ratio 2");
            const QPixmap pixmap = DrawnToolbarIcon(kind).pixmap(QSize(size, size), 2.0);
            EXPECT_EQ(pixmap.size(), QSize(2 * size, 2 * size));
            EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), 2.0);
            EXPECT_EQ(Argb(pixmap), Argb(DrawToolbarPixmap(kind, size, 2.0)));
        }
    }
    const QPixmap fractional = DrawToolbarPixmap(ToolbarIconKind::Save, 20, 1.25);
    EXPECT_EQ(fractional.size(), QSize(25, 25));
    EXPECT_DOUBLE_EQ(fractional.devicePixelRatio(), 1.25);
    EXPECT_EQ(fractional.deviceIndependentSize(), QSizeF(20, 20));
}

TEST(ToolbarIcons, EveryKindLooksDifferentFromEveryOther)
{
    for (int size : DrawnToolbarIconSizes) {
        for (std::size_t first = 0; first < ToolbarIconKinds.size(); ++first) {
            for (std::size_t second = first + 1; second < ToolbarIconKinds.size(); ++second) {
                const ToolbarIconKind a = ToolbarIconKinds[first];
                const ToolbarIconKind b = ToolbarIconKinds[second];
                SCOPED_TRACE(testing::Message() << KindName(a) << " and " << KindName(b) << " at " << size);
                EXPECT_NE(Argb(DrawToolbarPixmap(a, size)), Argb(DrawToolbarPixmap(b, size)));
            }
        }
    }
}

TEST(ToolbarIcons, DisabledButtonsShowAGreyedPicture)
{
    for (ToolbarIconKind kind : ToolbarIconKinds) {
        SCOPED_TRACE(KindName(kind));
        const QIcon icon = DrawnToolbarIcon(kind);
        const Coverage normal = Measure(icon.pixmap(QSize(20, 20), 1.0, QIcon::Normal).toImage());
        const Coverage disabled = Measure(icon.pixmap(QSize(20, 20), 1.0, QIcon::Disabled).toImage());
        // Every picture has a colour to lose; the disabled one keeps its shape.
        EXPECT_GT(normal.maxSaturation, 100);
        EXPECT_LT(disabled.maxSaturation, 40);
        EXPECT_EQ(disabled.transparent, normal.transparent);
    }
}

// Icon theme lookups pointed at nothing, as on a desktop without a theme.
class WithoutIconTheme : public testing::Test {
protected:
    void SetUp() override
    {
        m_searchPaths = QIcon::themeSearchPaths();
        m_fallbackPaths = QIcon::fallbackSearchPaths();
        m_theme = QIcon::themeName();
        m_fallbackTheme = QIcon::fallbackThemeName();
        QIcon::setThemeSearchPaths({});
        QIcon::setFallbackSearchPaths({});
        QIcon::setThemeName(QStringLiteral("no-such-theme"));
        QIcon::setFallbackThemeName(QStringLiteral("no-such-theme"));
    }

    void TearDown() override
    {
        QIcon::setThemeSearchPaths(m_searchPaths);
        QIcon::setFallbackSearchPaths(m_fallbackPaths);
        QIcon::setThemeName(m_theme);
        QIcon::setFallbackThemeName(m_fallbackTheme);
    }

private:
    QStringList m_searchPaths;
    QStringList m_fallbackPaths;
    QString m_theme;
    QString m_fallbackTheme;
};

TEST_F(WithoutIconTheme, EachToolbarButtonShowsItsOwnDrawnPicture)
{
    const std::pair<const char*, ToolbarIconKind> Expected[] = {
        {"New_button", ToolbarIconKind::New},     {"Open_button", ToolbarIconKind::Open},
        {"Save_button", ToolbarIconKind::Save},   {"btnPrint", ToolbarIconKind::Print},
        {"cut_button", ToolbarIconKind::Cut},     {"copy_button", ToolbarIconKind::Copy},
        {"Paste_button", ToolbarIconKind::Paste}, {"undo_button", ToolbarIconKind::Undo},
        {"redo_button", ToolbarIconKind::Redo},   {"Command3D4", ToolbarIconKind::Help},
        {"end_button", ToolbarIconKind::Exit},
    };
    ButtonBar bar;
    for (const auto& [name, kind] : Expected) {
        SCOPED_TRACE(name);
        const QToolButton* button = bar.button(QLatin1String(name));
        ASSERT_NE(button, nullptr);
        const int size = button->iconSize().width();
        const QPixmap shown = button->icon().pixmap(QSize(size, size), 1.0);
        EXPECT_EQ(Argb(shown), Argb(DrawToolbarPixmap(kind, size)));
    }
}

} // namespace
} // namespace zeltomir::shell
