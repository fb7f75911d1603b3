#include "app/Program.h"

#include "core/UndoSnapshot.h"
#include "practice/PracticeRecords.h"
#include "practice/windows/PracticeWindows.h"
#include "shell/MainWindow.h"
#include "core/ProgramInfo.h"
#include "shell/QtDialogService.h"
#include "shell/Twips.h"

#include <QCoreApplication>
#include <QDir>
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
}

QWidget* MakePlaceholderSetupWindow()
{
    auto* window = new QWidget;
    window->setObjectName(QStringLiteral("SeqSimplexInitialize"));
    window->setWindowTitle(QStringLiteral("Initialize Simplex Algorithm"));
    window->resize(shell::TwipsSize(window, 7000, 5000));
    return window;
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
    , m_setupFactory(MakePlaceholderSetupWindow)
{
    m_mainWindow = std::make_unique<shell::MainWindow>(*m_dialogs, m_runTime);
    if (m_ownDialogs)
        m_ownDialogs->setParentWidget(m_mainWindow.get());
    m_practiceWindows =
        std::make_unique<practice::PracticeWindows>(*m_mainWindow, m_runTime, practice::ProgramPracticeRecords());
    m_practiceWindows->installPracticeMenu();
}

Program::~Program() = default;

void Program::start()
{
    const core::FileStatus written = core::StartUpProblem(m_problem, m_runTime, m_snapshots);
    if (!written) {
        // Without the first snapshot an Undo would have nothing to go back to;
        // everything else works, so say so once and go on.
        m_dialogs->message(QStringLiteral("Notice"),
                           QStringLiteral("The working copy of the problem that Undo returns to could not be "
                                          "written to \"%1\". %2")
                               .arg(QDir::toNativeSeparators(m_runTime.StateFilePath), written.error),
                           core::MessageIcon::Exclamation);
    }
    showSetupWindow();
    if (m_options.maximised)
        m_mainWindow->showMaximized();
    else
        m_mainWindow->show();
}

QMdiSubWindow* Program::setupWindow() const
{
    return m_setupWindow.data();
}

QMdiSubWindow* Program::showSetupWindow()
{
    if (!m_setupWindow) {
        QWidget* window = m_setupFactory ? m_setupFactory() : MakePlaceholderSetupWindow();
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_setupWindow = m_mainWindow->addChild(window);
    }
    m_setupWindow->show();
    m_mainWindow->mdiArea()->setActiveSubWindow(m_setupWindow);
    return m_setupWindow;
}

} // namespace zeltomir::app
