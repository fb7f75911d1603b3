#pragma once

// The program's one top-level window: a multiple-document parent with the
// toolbar, the menus and the status bar. It routes each command to the
// handler that carries it out and otherwise holds no problem data.

#include "shell/CommandHandlers.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QToolButton;

namespace zeltomir::core {
struct RunTimeState;
}

namespace zeltomir::shell {

class AboutBox;
class ButtonBar;
class DialogService;
class KeyboardStatusBar;
class MainMenus;
class ManualOpener;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // runTime is read for Modified when asking about quitting.
    MainWindow(DialogService& dialogs, const core::RunTimeState& runTime, QWidget* parent = nullptr);
    ~MainWindow() override;

    DialogService& dialogs() const { return m_dialogs; }
    QMdiArea* mdiArea() const { return m_mdi; }
    ButtonBar* buttonBar() const { return m_buttonBar; }
    KeyboardStatusBar* keyboardStatusBar() const { return m_statusBar; }
    QToolButton* toolButton(const QString& objectName) const;
    QAction* menuAction(const QString& objectName) const;

    CommandHandlers& handlers() { return m_handlers; }
    void setHandlers(CommandHandlers handlers) { m_handlers = std::move(handlers); }

    // Puts a child window into the MDI area; the caller shows it.
    QMdiSubWindow* addChild(QWidget* child);

    void setUndoEnabled(bool enabled);
    void setRedoEnabled(bool enabled);
    void setPrintButtonEnabled(bool enabled);
    // Edit > Correct Result..., which the vertex summary switches by its
    // selection.
    void setCorrectResultEnabled(bool enabled);
    // Switches Print, Cut, Copy, Paste, the Edit menu, Edit > Correct
    // Result... and View > Vertex Summary for the child window named by an
    // ActiveWindow code.
    void updateCommandAvailability(const QString& activeWindow);

    // Takes the input focus into the hidden focus sink, so that the control
    // that had it (a cell editor, a text box) finishes its edit before a
    // command reads any data. The command routed through this window gives
    // it back when it is done (see returnFocus).
    void releaseFocus();

    // Asks whether to quit. On Yes the program ends at once (see
    // setQuitHook) and the result is false; on No the result is true: the
    // quitting is cancelled.
    bool confirmExit();
    // What Yes does. By default the event loop ends, so no other window gets
    // a chance to refuse; tests put a flag here instead.
    void setQuitHook(std::function<void()> quit) { m_quit = std::move(quit); }
    bool isQuitting() const { return m_quitting; }

    // The manual (core::ManualPath), handed to the desktop to open; see
    // ManualOpener for what is reported. Tests replace the opener, the
    // answer about PDF viewers and the path.
    QString manualPath() const;
    void openManual();
    void setDocumentOpener(std::function<bool(const QString& path)> opener);
    void setManualPath(const QString& path);
    ManualOpener& manualOpener() const { return *m_manual; }

    // The one About box, created on first use; nullptr while closed.
    void showAbout();
    AboutBox* aboutBox() const;

    void cascade();
    void tileHorizontally();
    void tileVertically();
    void arrangeIcons();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildToolBar();
    void connectToolButtons();
    void connectMenus();
    using Handler = std::function<void()> CommandHandlers::*;
    void connectToolButton(const char* name, std::function<void()> command);
    void connectMenuItem(const char* name, std::function<void()> command);
    void run(Handler handler);
    void runPractice(PracticeKind kind, const QString& level);
    void rememberFocus();
    void returnFocus();
    void quitProgram();

    DialogService& m_dialogs;
    const core::RunTimeState& m_runTime;
    CommandHandlers m_handlers;
    std::function<void()> m_quit;
    std::unique_ptr<ManualOpener> m_manual;
    bool m_quitting = false;
    // The control that had the focus when a command released it, and its window.
    QPointer<QWidget> m_focusToReturn;
    QPointer<QMdiSubWindow> m_focusWindow;

    QMdiArea* m_mdi = nullptr;
    ButtonBar* m_buttonBar = nullptr;
    KeyboardStatusBar* m_statusBar = nullptr;
    QLineEdit* m_focusSink = nullptr;
    std::unique_ptr<MainMenus> m_menus;
    QPointer<AboutBox> m_about;
};

} // namespace zeltomir::shell
