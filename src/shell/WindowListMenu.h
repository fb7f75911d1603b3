#pragma once

// The list of open child windows at the foot of the Window menu, numbered
// in the order they were opened, the active one checked; choosing one makes
// it active. The list is built anew each time the menu is about to show.

#include <QList>
#include <QObject>

class QAction;
class QActionGroup;
class QMdiArea;
class QMenu;

namespace zeltomir::shell {

class WindowListMenu : public QObject {
    Q_OBJECT
public:
    // Appends to `menu` the children of `area`; both outlive this object.
    WindowListMenu(QMenu& menu, QMdiArea& area, QObject* parent = nullptr);

private:
    void rebuild();

    QMenu& m_menu;
    QMdiArea& m_area;
    QActionGroup* m_group = nullptr;
    QList<QAction*> m_items;
};

} // namespace zeltomir::shell
