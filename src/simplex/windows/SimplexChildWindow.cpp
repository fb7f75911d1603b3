#include "simplex/windows/SimplexChildWindow.h"

#include "simplex/windows/SimplexWindows.h"

#include <QCloseEvent>
#include <QMdiSubWindow>

namespace zeltomir::simplex {

SimplexChildWindow::SimplexChildWindow(SimplexWindows& windows, const QString& objectName, const QString& title,
                                       QWidget* parent)
    : QWidget(parent), m_windows(windows)
{
    setObjectName(objectName);
    setWindowTitle(title);
}

const SimplexWindowContext& SimplexChildWindow::context() const
{
    return m_windows.context();
}

QMdiSubWindow* SimplexChildWindow::subWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

bool SimplexChildWindow::closeWindow(bool checked)
{
    if (m_closed)
        return true;
    m_checkClose = checked;
    QWidget* frame = subWindow();
    const bool closed = frame ? frame->close() : close();
    m_checkClose = true;
    return closed;
}

void SimplexChildWindow::closeEvent(QCloseEvent* event)
{
    if (m_closed) {
        event->accept();
        return;
    }
    if (m_checkClose && !closeAllowed()) {
        event->ignore();
        return;
    }
    m_closed = true;
    event->accept();
    emit closed();
}

} // namespace zeltomir::simplex
