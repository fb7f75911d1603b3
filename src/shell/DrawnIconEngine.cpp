#include "shell/DrawnIconEngine.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

namespace zeltomir::shell {

DrawnIconEngine::DrawnIconEngine(Draw draw, QList<QSize> sizes, QString themeName)
    : m_draw(std::move(draw)), m_sizes(std::move(sizes)), m_themeName(std::move(themeName))
{
}

const QIcon* DrawnIconEngine::themeIcon()
{
    if (m_themeName.isEmpty())
        return nullptr;
    if (!m_theme)
        m_theme = QIcon::hasThemeIcon(m_themeName) ? QIcon::fromTheme(m_themeName) : QIcon();
    return m_theme->isNull() ? nullptr : &*m_theme;
}

QPixmap DrawnIconEngine::drawn(int devicePixels, QIcon::Mode mode)
{
    devicePixels = std::max(devicePixels, 1);
    const std::pair<int, int> key{devicePixels, static_cast<int>(mode)};
    if (const auto found = m_drawn.find(key); found != m_drawn.end())
        return found->second;
    QPixmap picture = m_draw(devicePixels);
    // Disabled and selected looks come from the style, as they do for an
    // icon made of pixmaps.
    if ((mode == QIcon::Disabled || mode == QIcon::Selected) && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }
    m_drawn.emplace(key, picture);
    return picture;
}

void DrawnIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    if (const QIcon* theme = themeIcon()) {
        theme->paint(painter, rect, Qt::AlignCenter, mode, state);
        return;
    }
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const int side = std::min(rect.width(), rect.height());
    QPixmap picture = drawn(qRound(side * ratio), mode);
    picture.setDevicePixelRatio(ratio);
    painter->drawPixmap(QRect(rect.x() + (rect.width() - side) / 2, rect.y() + (rect.height() - side) / 2, side, side),
                        picture);
}

QPixmap DrawnIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    if (const QIcon* theme = themeIcon())
        return theme->pixmap(size, 1.0, mode, state);
    return drawn(std::min(size.width(), size.height()), mode);
}

QSize DrawnIconEngine::actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    if (const QIcon* theme = themeIcon())
        return theme->actualSize(size, mode, state);
    const int side = std::min(size.width(), size.height());
    return {side, side};
}

QList<QSize> DrawnIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state)
{
    if (const QIcon* theme = themeIcon())
        return theme->availableSizes(mode, state);
    return m_sizes;
}

QIconEngine* DrawnIconEngine::clone() const
{
    return new DrawnIconEngine(*this);
}

QString DrawnIconEngine::key() const
{
    return QStringLiteral("ZeltomirDrawnIcon");
}

void DrawnIconEngine::virtual_hook(int id, void* data)
{
    // A picture for a screen of another pixel ratio: drawn at the pixel
    // size asked, not scaled from another size.
    if (id == QIconEngine::ScaledPixmapHook) {
        auto* argument = static_cast<QIconEngine::ScaledPixmapArgument*>(data);
        if (const QIcon* theme = themeIcon())
            argument->pixmap = theme->pixmap(argument->size / argument->scale, argument->scale, argument->mode,
                                             argument->state);
        else
            argument->pixmap = drawn(std::min(argument->size.width(), argument->size.height()), argument->mode);
        return;
    }
    QIconEngine::virtual_hook(id, data);
}

} // namespace zeltomir::shell
