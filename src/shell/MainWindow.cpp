#include "shell/MainWindow.h"

#include "core/ProblemRecord.h"
#include "shell/AboutBox.h"
#include "shell/ButtonBar.h"
#include "shell/CommandAvailability.h"
#include "shell/DialogService.h"
#include "shell/KeyboardStatusBar.h"
#include "shell/MainMenus.h"
#include "shell/ManualOpener.h"
#include "shell/MdiArrangement.h"
#include "shell/MenuKeysFirst.h"
#include "shell/WindowListMenu.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include <utility>

namespace zeltomir::shell {

namespace {

void SetEnabled(QToolButton* button, const std::optional<bool>& state)
{
    if (button && state)
        button->setEnabled(*state);
}

void SetEnabled(QAction* action, const std::optional<bool>& state)
{
    if (action && state)
        action->setEnabled(*state);
}

} // namespace

MainWindow::MainWindow(DialogService& dialogs, const core::RunTimeState& runTime, QWidget* parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_runTime(runTime)
    , m_manual(std::make_unique<ManualOpener>(dialogs))
{
    setObjectName(QStringLiteral("frmMDI"));
    setWindowTitle(QStringLiteral("Vantrelix"));

    // The focus sink is never seen: it has no size and is skipped by Tab,
    // but stays shown so that taking the focus into it leaves it there
    // rather than passing it on to the next control of a child window.
    m_focusSink = new QLineEdit(this);
    m_focusSink->setObjectName(QStringLiteral("Text1"));
    m_focusSink->setFocusPolicy(Qt::NoFocus);
    m_focusSink->setReadOnly(true);
    m_focusSink->setFrame(false);
    m_focusSink->setGeometry(0, 0, 0, 0);
    m_focusSink->setAttribute(Qt::WA_MacShowFocusRect, false);

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    setCentralWidget(m_mdi);

    buildToolBar();
    m_menus = std::make_unique<MainMenus>(*menuBar());
    new MenuKeysFirst(*this, *menuBar());
    m_statusBar = new KeyboardStatusBar(this);
    setStatusBar(m_statusBar);

    connectToolButtons();
    connectMenus();
    m_quit = [this] { QCoreApplication::exit(0); };
}

MainWindow::~MainWindow() = default;

AboutBox* MainWindow::aboutBox() const
{
    return m_about.data();
}

void MainWindow::buildToolBar()
{
    auto* host = new QToolBar(this);
    host->setObjectName(QStringLiteral("buttonbarHost"));
    host->setMovable(false);
    host->setFloatable(false);
    host->setContextMenuPolicy(Qt::PreventContextMenu);
    host->toggleViewAction()->setVisible(false);
    host->setContentsMargins(0, 0, 0, 0);
    m_buttonBar = new ButtonBar(host);
    host->addWidget(m_buttonBar);
    addToolBar(Qt::TopToolBarArea, host);
}

QToolButton* MainWindow::toolButton(const QString& objectName) const
{
    return m_buttonBar->button(objectName);
}

QAction* MainWindow::menuAction(const QString& objectName) const
{
    return m_menus->action(objectName);
}

void MainWindow::connectToolButton(const char* name, std::function<void()> command)
{
    QToolButton* button = toolButton(QLatin1String(name));
    connect(button, &QToolButton::clicked, this, [command = std::move(command)] { command(); });
}

void MainWindow::connectMenuItem(const char* name, std::function<void()> command)
{
    QAction* item = menuAction(QLatin1String(name));
    connect(item, &QAction::triggered, this, [command = std::move(command)] { command(); });
}

void MainWindow::connectToolButtons()
{
    // Toolbar commands finish the edit in progress first.
    const std::pair<const char*, Handler> released[] = {
        {"New_button", &CommandHandlers::newProblem}, {"Open_button", &CommandHandlers::openProblem},
        {"Save_button", &CommandHandlers::save},      {"btnPrint", &CommandHandlers::print},
        {"cut_button", &CommandHandlers::cut},        {"copy_button", &CommandHandlers::copy},
        {"Paste_button", &CommandHandlers::paste},    {"undo_button", &CommandHandlers::undo},
        {"redo_button", &CommandHandlers::redo},
    };
    for (const auto& [name, handler] : released) {
        connectToolButton(name, [this, handler = handler] {
            releaseFocus();
            run(handler);
        });
    }
    connectToolButton("Command3D4", [this] {
        openManual();
        releaseFocus();
    });
    connectToolButton("end_button", [this] { confirmExit(); });
}

void MainWindow::connectMenus()
{
    const std::pair<const char*, Handler> direct[] = {
        {"mnufilenew", &CommandHandlers::newProblem},
        {"mnufileopen", &CommandHandlers::openProblem},
        {"mnufilesave", &CommandHandlers::save},
        {"mnufileprint", &CommandHandlers::print},
        {"Menu_cut", &CommandHandlers::cut},
        {"Menu_copy", &CommandHandlers::copy},
        {"Menu_paste", &CommandHandlers::paste},
        {"mnuCorrectResult", &CommandHandlers::correctResult},
        {"mnuSimplexSteps", &CommandHandlers::showSimplexSteps},
        {"mnuVertexSummary", &CommandHandlers::showVertexSummary},
        {"mnuSimplexPlot", &CommandHandlers::showSimplexPlot},
        {"mnuProblemSetup", &CommandHandlers::showProblemSetup},
        {"mnuPracticeSimulated", &CommandHandlers::simulatedProblem},
    };
    for (const auto& [name, handler] : direct)
        connectMenuItem(name, [this, handler = handler] { run(handler); });

    connectMenuItem("mnufileexit", [this] { confirmExit(); });

    const std::tuple<const char*, PracticeKind, QString> practice[] = {
        {"mnuSRsim", PracticeKind::Scrap, PracticeLevelSimple},
        {"mnuSRadv", PracticeKind::Scrap, PracticeLevelAll},
        {"mnuPracticeTOsimple", PracticeKind::Target, PracticeLevelSimple},
        {"mnuPracticeTOadvanced", PracticeKind::Target, PracticeLevelAll},
        {"mnuPracticeVOsim", PracticeKind::Variance, PracticeLevelSimple},
        {"mnuPracticeVOadv", PracticeKind::Variance, PracticeLevelAll},
    };
    for (const auto& [name, kind, level] : practice)
        connectMenuItem(name, [this, kind = kind, level = level] { runPractice(kind, level); });

    connectMenuItem("Menu_cascade", [this] { cascade(); });
    connectMenuItem("menu_tile_hor", [this] { tileHorizontally(); });
    connectMenuItem("menu_tile_vertically", [this] { tileVertically(); });
    connectMenuItem("mnu_arrange_icons", [this] { arrangeIcons(); });
    connectMenuItem("mnu_help_contents", [this] { openManual(); });
    connectMenuItem("mnu_help_about", [this] { showAbout(); });
    new WindowListMenu(*m_menus->windowMenu(), *m_mdi, this);
}

void MainWindow::run(Handler handler)
{
    // A copy: the handler may well replace the handlers while it runs.
    const std::function<void()> command = m_handlers.*handler;
    if (command)
        command();
    returnFocus();
}

void MainWindow::runPractice(PracticeKind kind, const QString& level)
{
    const auto command = m_handlers.practice;
    if (command)
        command(kind, level);
}

QMdiSubWindow* MainWindow::addChild(QWidget* child)
{
    // A child window arranged smaller than its controls need (tiling many
    // windows) shows part of them, as a fixed form would, rather than
    // squeezing buttons and boxes into unreadable slivers.
    if (QLayout* layout = child->layout())
        layout->setSizeConstraint(QLayout::SetMinimumSize);
    return m_mdi->addSubWindow(child);
}

void MainWindow::setUndoEnabled(bool enabled)
{
    toolButton(QStringLiteral("undo_button"))->setEnabled(enabled);
}

void MainWindow::setRedoEnabled(bool enabled)
{
    toolButton(QStringLiteral("redo_button"))->setEnabled(enabled);
}

void MainWindow::setPrintButtonEnabled(bool enabled)
{
    toolButton(QStringLiteral("btnPrint"))->setEnabled(enabled);
}

void MainWindow::setCorrectResultEnabled(bool enabled)
{
    menuAction(QStringLiteral("mnuCorrectResult"))->setEnabled(enabled);
}

void MainWindow::updateCommandAvailability(const QString& activeWindow)
{
    const CommandStates states = CommandStatesFor(activeWindow);
    SetEnabled(toolButton(QStringLiteral("cut_button")), states.cutButton);
    SetEnabled(toolButton(QStringLiteral("copy_button")), states.copyButton);
    SetEnabled(toolButton(QStringLiteral("Paste_button")), states.pasteButton);
    SetEnabled(toolButton(QStringLiteral("btnPrint")), states.printButton);
    SetEnabled(menuAction(QStringLiteral("Menu_cut")), states.cutMenu);
    SetEnabled(menuAction(QStringLiteral("Menu_copy")), states.copyMenu);
    SetEnabled(menuAction(QStringLiteral("Menu_paste")), states.pasteMenu);
    SetEnabled(menuAction(QStringLiteral("mnuVertexSummary")), states.vertexSummaryMenu);
    SetEnabled(menuAction(QStringLiteral("Menu_edit")), states.editMenu);
    SetEnabled(menuAction(QStringLiteral("mnuCorrectResult")), states.correctResultMenu);
}

void MainWindow::releaseFocus()
{
    rememberFocus();
    m_focusSink->setFocus(Qt::OtherFocusReason);
}

void MainWindow::rememberFocus()
{
    QWidget* focused = QApplication::focusWidget();
    if (!focused || focused == m_focusSink)
        return;
    m_focusToReturn = focused;
    m_focusWindow = m_mdi->currentSubWindow();
}

// A command that leaves the same window active and the focus nowhere in
// particular (the sink, or lost to a dialog) hands it back to the control
// that had it, so that a result typed after Save goes into the result box.
// One that opened or closed windows has put the focus where it belongs.
void MainWindow::returnFocus()
{
    const QPointer<QWidget> control = std::exchange(m_focusToReturn, nullptr);
    const QPointer<QMdiSubWindow> window = std::exchange(m_focusWindow, nullptr);
    if (!control || !window || m_mdi->currentSubWindow() != window || !window->isAncestorOf(control))
        return;
    QWidget* now = QApplication::focusWidget();
    if (now && now != m_focusSink && !window->isAncestorOf(now))
        return;
    if (control->isVisible() && control->isEnabled())
        control->setFocus(Qt::OtherFocusReason);
}

bool MainWindow::confirmExit()
{
    releaseFocus();
    const bool modified = m_runTime.Modified == QLatin1String("yes");
    const MessageRequest question{
        modified ? QStringLiteral("Warning!") : QStringLiteral("Message"),
        modified ? QStringLiteral("You are about to exit without saving your data. Are you sure you want to quit?")
                 : QStringLiteral("Are you sure you want to quit?"),
        core::MessageIcon::Critical, MessageButtons::YesNo, MessageAnswer::No};
    if (m_dialogs.message(question) != MessageAnswer::Yes)
        return true;
    quitProgram();
    return false;
}

void MainWindow::quitProgram()
{
    m_quitting = true;
    if (m_about)
        m_about->close();
    if (m_quit)
        m_quit();
}

QString MainWindow::manualPath() const
{
    return m_manual->path();
}

void MainWindow::openManual()
{
    m_manual->open();
}

void MainWindow::setDocumentOpener(std::function<bool(const QString& path)> opener)
{
    m_manual->setOpener(std::move(opener));
}

void MainWindow::setManualPath(const QString& path)
{
    m_manual->setPath(path);
}

void MainWindow::showAbout()
{
    if (!m_about) {
        m_about = new AboutBox(this);
        connect(m_about, &AboutBox::activated, this, [this] { setPrintButtonEnabled(false); });
        // Closing the box returns to the control that was being used.
        rememberFocus();
        connect(m_about, &QDialog::finished, this, [this] { returnFocus(); });
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

void MainWindow::cascade()
{
    CascadeChildren(*m_mdi);
}

void MainWindow::tileHorizontally()
{
    TileChildrenHorizontally(*m_mdi);
}

void MainWindow::tileVertically()
{
    TileChildrenVertically(*m_mdi);
}

void MainWindow::arrangeIcons()
{
    ArrangeIcons(*m_mdi);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // Closing the main window always goes through the exit question.
    if (m_quitting || !confirmExit())
        event->accept();
    else
        event->ignore();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    m_buttonBar->placeRightButtons();
}

} // namespace zeltomir::shell
