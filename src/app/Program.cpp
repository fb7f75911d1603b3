#include "app/Program.h"

#include "app/DocumentCommands.h"
#include "app/ProblemStartUp.h"

#include "practice/PracticeRecords.h"
#include "practice/windows/PracticeWindows.h"
#include "shell/ApplicationIcon.h"
#include "shell/MainWindow.h"
#include "core/ProgramInfo.h"
#include "shell/QtDialogService.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>

namespace zeltomir::app {

namespace {

QString FolderOrDefault(const QString& folder)
{
    return folder.isEmpty() ? core::ProgramFolder() : folder;
}

} // namespace

void SetApplicationIdentity()
{
    QCoreApplication::setApplicationName(core::ProgramTitle);
    QCoreApplication::setOrganizationName(core::OrganizationName);
    QCoreApplication::setApplicationVersion(core::VersionText());
    // The installed desktop entry's name without ".desktop" (the AppStream
    // id): the window system matches the program's windows to the entry by
    // it, for their name and icon in a task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zeltomir.zeltomir"));
}

Program::Program(ProgramOptions options)
    : Program(std::make_unique<shell::QtDialogService>(), nullptr, std::move(options))
{
}

Program::Program(shell::DialogService& dialogs, ProgramOptions options)
    : Program(nullptr, &dialogs, std::move(options))
{
}

Program::Program(std::unique_ptr<shell::QtDialogService> ownDialogs, shell::DialogService* dialogs,
                 ProgramOptions options)
    : m_options(std::move(options))
    , m_programFolder(FolderOrDefault(m_options.programFolder))
    , m_helpFilePath(QDir(m_programFolder).filePath(QStringLiteral("zeltomir.hlp")))
    , m_snapshots(m_programFolder)
    , m_ownDialogs(std::move(ownDialogs))
    , m_dialogs(dialogs ? dialogs : m_ownDialogs.get())
{
    // Set before any window exists: every window without an icon of its
    // own, MDI children and the About box included, shows the program's.
    QGuiApplication::setWindowIcon(shell::DrawnApplicationIcon());
    m_mainWindow = std::make_unique<shell::MainWindow>(*m_dialogs, m_runTime);
    if (m_ownDialogs)
        m_ownDialogs->setParentWidget(m_mainWindow.get());
    m_practiceWindows =
        std::make_unique<practice::PracticeWindows>(*m_mainWindow, m_runTime, practice::ProgramPracticeRecords());
    m_practiceWindows->installPracticeMenu();
    m_simplexWindows = std::make_unique<simplex::SimplexWindows>(
        simplex::SimplexWindowContext{m_problem, m_runTime, m_snapshots, *m_dialogs, *m_mainWindow});
    m_simplexWindows->installViewCommands(m_mainWindow->handlers());
    m_documents = std::make_unique<DocumentCommands>(DocumentContext{m_problem, m_runTime, m_snapshots, *m_dialogs,
                                                                     *m_mainWindow, *m_simplexWindows,
                                                                     *m_practiceWindows,
                                                                     practice::ProgramPracticeRecords()});
    m_documents->install(m_mainWindow->handlers());
}

Program::~Program() = default;

void Program::start()
{
    ReportSnapshotFolder(m_snapshots, *m_dialogs);
    StartUpProblemRecord(m_problem, m_runTime, m_snapshots, *m_dialogs);
    showSetupWindow();
    if (m_options.maximised)
        m_mainWindow->showMaximized();
    else
        m_mainWindow->show();
}

QMdiSubWindow* Program::setupWindow() const
{
    if (m_setupWindow)
        return m_setupWindow.data();
    simplex::SetupWindow* window = m_simplexWindows->setupWindow();
    return window ? window->subWindow() : nullptr;
}

QMdiSubWindow* Program::showSetupWindow()
{
    if (!m_setupFactory)
        return m_simplexWindows->openSetupWindow()->subWindow();
    if (!m_setupWindow) {
        QWidget* window = m_setupFactory();
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_setupWindow = m_mainWindow->addChild(window);
    }
    m_setupWindow->show();
    m_mainWindow->mdiArea()->setActiveSubWindow(m_setupWindow);
    return m_setupWindow;
}

} // namespace zeltomir::app
