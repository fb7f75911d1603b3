#pragma once

// The main window's menu bar: every item with its object name, caption and
// shortcut. Commands are connected by the main window; this only builds.

#include <QHash>
#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace zeltomir::shell {

class MainMenus {
public:
    explicit MainMenus(QMenuBar& bar);

    // An item, separator or submenu title by object name; nullptr if none.
    QAction* action(const QString& objectName) const;
    QMenu* menu(const QString& objectName) const;

    QMenu* windowMenu() const { return menu(QStringLiteral("Menu_window")); }

private:
    QMenu* addMenu(QMenuBar& bar, const char* name, const QString& caption);
    QMenu* addSubmenu(QMenu& parent, const char* name, const QString& caption);
    QMenu* registerMenu(QMenu* created, const char* name);
    QAction* addItem(QMenu& menu, const char* name, const QString& caption, const char* shortcut = nullptr);
    QAction* addSeparator(QMenu& menu, const char* name);
    void buildFileMenu(QMenu& file);
    void buildPracticeMenu(QMenu& practice);

    QHash<QString, QAction*> m_actions;
    QHash<QString, QMenu*> m_menus;
};

} // namespace zeltomir::shell
