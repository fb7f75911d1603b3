#pragma once

// The main window's menu keys reach their items from any control inside it.
// A text box or cell editor takes some keys for its own editing first (on
// X11 a line edit deletes the line on Ctrl+U), and those would never open
// View > Problem Setup while the user is typing a result.

#include <QObject>

class QMenuBar;
class QWidget;

namespace zeltomir::shell {

class MenuKeysFirst : public QObject {
public:
    // Watches the application's key events for controls inside `window`;
    // the keys are the shortcuts of the items of `menus` at the time of the key.
    MenuKeysFirst(QWidget& window, const QMenuBar& menus);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    const QMenuBar& m_menus;
};

} // namespace zeltomir::shell
