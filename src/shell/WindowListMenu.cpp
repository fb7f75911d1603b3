#include "shell/WindowListMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPointer>

namespace zeltomir::shell {

WindowListMenu::WindowListMenu(QMenu& menu, QMdiArea& area, QObject* parent)
    : QObject(parent)
    , m_menu(menu)
    , m_area(area)
    , m_group(new QActionGroup(this))
{
    connect(&m_menu, &QMenu::aboutToShow, this, &WindowListMenu::rebuild);
}

void WindowListMenu::rebuild()
{
    qDeleteAll(m_items);
    m_items.clear();
    QList<QMdiSubWindow*> children = m_area.subWindowList(QMdiArea::CreationOrder);
    // A window loaded but not shown (a practice window a clipboard command
    // loaded after its close) is not one the user can switch to.
    children.removeIf([](const QMdiSubWindow* child) { return child->isHidden(); });
    if (children.isEmpty())
        return;
    m_items.append(m_menu.addSeparator());
    int number = 0;
    for (QMdiSubWindow* child : children) {
        ++number;
        const QString prefix = number < 10 ? QStringLiteral("&%1 ").arg(number) : QStringLiteral("%1 ").arg(number);
        QAction* item = m_menu.addAction(prefix + child->windowTitle());
        item->setCheckable(true);
        item->setChecked(child == m_area.activeSubWindow());
        item->setActionGroup(m_group);
        QPointer<QMdiSubWindow> target = child;
        connect(item, &QAction::triggered, this, [this, target] {
            if (!target)
                return;
            if (target->isMinimized())
                target->showNormal();
            m_area.setActiveSubWindow(target);
        });
        m_items.append(item);
    }
}

} // namespace zeltomir::shell
