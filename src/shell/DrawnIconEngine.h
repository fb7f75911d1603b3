#pragma once

// An icon drawn in code at the size it is asked for, when it is first asked
// for. Drawing every size and pixel ratio up front kept the main window from
// showing for tens of milliseconds, for pictures mostly never used.

#include <QIcon>
#include <QIconEngine>
#include <QPixmap>

#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace zeltomir::shell {

class DrawnIconEngine final : public QIconEngine {
public:
    // Draws the picture devicePixels x devicePixels pixels large.
    using Draw = std::function<QPixmap(int devicePixels)>;

    // `sizes`: the sizes the icon claims to have (a window system hands them
    // on to the desktop). With a theme name, the desktop theme's icon of that
    // name is used instead when the theme has one; it is looked up on first
    // use too.
    DrawnIconEngine(Draw draw, QList<QSize> sizes, QString themeName = {});

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    bool isNull() override { return false; }
    void virtual_hook(int id, void* data) override;

private:
    // The theme's icon when it has one, looked up once.
    const QIcon* themeIcon();
    QPixmap drawn(int devicePixels, QIcon::Mode mode);

    Draw m_draw;
    QList<QSize> m_sizes;
    QString m_themeName;
    std::optional<QIcon> m_theme; // a null icon once looked up in vain
    std::map<std::pair<int, int>, QPixmap> m_drawn; // by pixels and mode
};

} // namespace zeltomir::shell
