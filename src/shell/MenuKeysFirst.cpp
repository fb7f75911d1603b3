#include "shell/MenuKeysFirst.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace zeltomir::shell {

namespace {

bool IsMenuKey(const QList<QAction*>& actions, const QKeySequence& pressed)
{
    for (const QAction* action : actions) {
        if (action->menu() && IsMenuKey(action->menu()->actions(), pressed))
            return true;
        if (action->isEnabled() && !action->shortcut().isEmpty()
            && action->shortcut().matches(pressed) == QKeySequence::ExactMatch)
            return true;
    }
    return false;
}

} // namespace

MenuKeysFirst::MenuKeysFirst(QWidget& window, const QMenuBar& menus) : QObject(&window), m_window(window), m_menus(menus)
{
    qApp->installEventFilter(this);
}

bool MenuKeysFirst::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control || control->window() != &m_window)
        return false;
    // Left unaccepted, the override lets the key go to the shortcut.
    const auto* key = static_cast<QKeyEvent*>(event);
    return IsMenuKey(m_menus.actions(), QKeySequence(key->keyCombination()));
}

} // namespace zeltomir::shell
