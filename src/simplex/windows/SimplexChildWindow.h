#pragma once

// What the five simplex windows have in common: each is the widget of one
// sub-window of the main window's MDI area, answers its activation, and
// closes through its sub-window so that a close check can refuse.

#include "simplex/windows/SimplexWindowContext.h"

#include <QWidget>

class QMdiSubWindow;

namespace zeltomir::simplex {

class SimplexWindows;

class SimplexChildWindow : public QWidget {
    Q_OBJECT

public:
    SimplexChildWindow(SimplexWindows& windows, const QString& objectName, const QString& title,
                       QWidget* parent = nullptr);

    // Runs each time the window's sub-window becomes the active one.
    virtual void activated() = 0;

    // Closes the window with its sub-window. The window's own close check
    // runs only when `checked`; the commands that close whole sets of
    // windows (new problem, open, undo) skip it. False when the check kept
    // the window open.
    bool closeWindow(bool checked);
    // True from the moment a close was accepted; the window then only waits
    // to be deleted and takes part in nothing.
    bool isClosed() const { return m_closed; }

    QMdiSubWindow* subWindow() const;

signals:
    void closed();

protected:
    // The close check: false keeps the window open. Runs for a close by the
    // user and for closeWindow(true).
    virtual bool closeAllowed() { return true; }
    void closeEvent(QCloseEvent* event) override;

    SimplexWindows& windows() const { return m_windows; }
    const SimplexWindowContext& context() const;

private:
    SimplexWindows& m_windows;
    bool m_checkClose = true;
    bool m_closed = false;
};

} // namespace zeltomir::simplex
