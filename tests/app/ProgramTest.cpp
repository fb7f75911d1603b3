#include "app/Program.h"

#include "core/ProgramInfo.h"
#include "core/Random.h"
#include "gui/ScriptedDialogService.h"
#include "shell/ApplicationIcon.h"
#include "shell/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zeltomir::app {
namespace {

using testsupport::ScriptedDialogService;

// Counts the reseeds start-up asks for.
class CountingSource final : public core::UniformSource {
public:
    double next() override { return 0.5; }
    void seedFromClock() override { ++seeds; }
    int seeds = 0;
};

class ProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        core::SetProgramRandom(&random);
    }

    void TearDown() override { core::SetProgramRandom(nullptr); }

    std::unique_ptr<Program> makeProgram()
    {
        auto program = std::make_unique<Program>(dialogs, ProgramOptions{folder.path(), false});
        program->mainWindow().setQuitHook([] {});
        return program;
    }

    static QStringList fileLines(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    QTemporaryDir folder;
    CountingSource random;
    ScriptedDialogService dialogs;
};

TEST_F(ProgramTest, StartUpWritesTheFirstSnapshotAndShowsTheSetupWindow)
{
    auto program = makeProgram();
    program->start();

    EXPECT_EQ(random.seeds, 1);
    const QString undoPath = QDir(folder.path()).filePath("factorSettings$$bdA.rdo");
    EXPECT_EQ(program->snapshots().undoPath(), undoPath);
    EXPECT_EQ(program->runTime().StateFilePath, undoPath);
    const QStringList lines = fileLines(undoPath);
    ASSERT_EQ(lines.size(), 72);
    EXPECT_EQ(lines[0], "none");
    EXPECT_EQ(lines[1], " 2 ");
    EXPECT_EQ(lines[2], " 3 ");
    EXPECT_FALSE(QFile::exists(program->snapshots().redoPath()));

    EXPECT_EQ(program->runTime().Modified, "no");
    EXPECT_EQ(program->problem().NumFactors, 2);
    EXPECT_EQ(program->problem().Factors.at(27).FactorName, "[");
    EXPECT_EQ(program->helpFilePath(), QDir(folder.path()).filePath("zeltomir.hlp"));

    shell::MainWindow& window = program->mainWindow();
    EXPECT_TRUE(window.isVisible());
    const QList<QMdiSubWindow*> children = window.mdiArea()->subWindowList();
    ASSERT_EQ(children.size(), 1);
    EXPECT_EQ(children.front()->windowTitle(), "Initialize Simplex Algorithm");
    EXPECT_TRUE(children.front()->isVisible());
    EXPECT_EQ(window.mdiArea()->activeSubWindow(), children.front());
    EXPECT_EQ(program->setupWindow(), children.front());

    // The first snapshot touches no button.
    EXPECT_FALSE(window.findChild<QToolButton*>("undo_button")->isEnabled());
    EXPECT_FALSE(window.findChild<QToolButton*>("redo_button")->isEnabled());
    EXPECT_TRUE(dialogs.requests().empty());
}

TEST_F(ProgramTest, StartUpReplacesAnOldSnapshot)
{
    const QString undoPath = QDir(folder.path()).filePath("factorSettings$$bdA.rdo");
    {
        QFile old(undoPath);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("Steps\r\n 5 \r\n");
    }
    auto program = makeProgram();
    program->start();
    EXPECT_EQ(fileLines(undoPath).size(), 72);
}

TEST_F(ProgramTest, ASnapshotThatCannotBeWrittenIsReportedOnceAndStartUpGoesOn)
{
    // A folder where the file should be: nothing can be written there.
    ASSERT_TRUE(QDir(folder.path()).mkdir("factorSettings$$bdA.rdo"));
    dialogs.answerMessage(shell::MessageAnswer::Ok);
    auto program = makeProgram();
    program->start();

    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().title, "Notice");
    EXPECT_EQ(messages.front().buttons, shell::MessageButtons::Ok);
    EXPECT_TRUE(messages.front().text.contains(QDir::toNativeSeparators(program->snapshots().undoPath())));
    EXPECT_EQ(program->mainWindow().mdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(program->mainWindow().isVisible());
}

// Sets an environment variable for as long as it lives.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const QString& value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name))
    {
        qputenv(name, QFile::encodeName(value));
    }
    ~ScopedVariable()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

TEST_F(ProgramTest, WithNoUsualFolderToWriteTheUserIsToldOnceWhereUndoKeepsItsFiles)
{
    // Neither the program's folder nor the home can be written: both lie
    // under a plain file, which stops even an administrator.
    const QDir dir(folder.path());
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    ASSERT_TRUE(dir.mkdir("run"));
    ASSERT_TRUE(QFile::setPermissions(dir.filePath("run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const ScopedVariable home("XDG_DATA_HOME", dir.filePath("plain/share"));
    const ScopedVariable runtime("XDG_RUNTIME_DIR", dir.filePath("run"));
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    ASSERT_TRUE(userData.startsWith(dir.filePath("plain/share/")));

    dialogs.answerMessage(shell::MessageAnswer::Ok);
    auto program = std::make_unique<Program>(dialogs, ProgramOptions{dir.filePath("plain/bin"), false});
    program->mainWindow().setQuitHook([] {});
    program->start();

    const QString kept = program->snapshots().folder();
    EXPECT_EQ(QFileInfo(kept).path(), dir.filePath("run"));
    const std::vector<shell::MessageRequest> notice{
        {"Notice",
         QStringLiteral("The working files of Undo cannot be kept in \"%1\" (Not a directory). During this run they "
                        "are kept in \"%2\", which is removed when Zeltomir ends.")
             .arg(userData, kept),
         core::MessageIcon::Information}};
    EXPECT_EQ(dialogs.messages(), notice);
    EXPECT_EQ(fileLines(QDir(kept).filePath("factorSettings$$bdA.rdo")).size(), 72);

    // A new problem starts the record again, not the run: no second notice.
    dialogs.answerMessage(shell::MessageAnswer::Yes);
    program->mainWindow().menuAction(QStringLiteral("mnufilenew"))->trigger();
    EXPECT_EQ(dialogs.messages().size(), 2u) << "the notice and the new problem's question";
    EXPECT_EQ(program->runTime().StateFilePath, QDir(kept).filePath("factorSettings$$bdA.rdo"));

    program.reset();
    EXPECT_FALSE(QFileInfo::exists(kept));
}

TEST_F(ProgramTest, TheSetupWindowIsOpenedOnlyOnce)
{
    auto program = makeProgram();
    program->start();
    QMdiSubWindow* first = program->setupWindow();
    EXPECT_EQ(program->showSetupWindow(), first);
    EXPECT_EQ(program->mainWindow().mdiArea()->subWindowList().size(), 1);

    // Closed, it is made anew.
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(program->setupWindow(), nullptr);
    QMdiSubWindow* second = program->showSetupWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(program->mainWindow().mdiArea()->subWindowList().size(), 1);
}

TEST_F(ProgramTest, TheSetupWindowComesFromItsFactory)
{
    auto program = makeProgram();
    program->setSetupWindowFactory([] {
        auto* window = new QLabel("real setup window");
        window->setWindowTitle("Initialize Simplex Algorithm");
        return window;
    });
    program->start();
    ASSERT_NE(program->setupWindow(), nullptr);
    EXPECT_NE(qobject_cast<QLabel*>(program->setupWindow()->widget()), nullptr);
}

TEST_F(ProgramTest, DialogsOfTheMainWindowGoThroughTheProgramsService)
{
    auto program = makeProgram();
    program->start();
    EXPECT_EQ(&program->mainWindow().dialogs(), &dialogs);
    EXPECT_EQ(&program->dialogs(), &dialogs);
    dialogs.answerMessage(shell::MessageAnswer::No);
    EXPECT_TRUE(program->mainWindow().confirmExit());
}

// Child windows and the main window show the program's drawn icon rather
// than the toolkit's logo.
TEST_F(ProgramTest, EveryWindowShowsTheProgramsIcon)
{
    QApplication::setWindowIcon(QIcon());
    auto program = makeProgram();
    program->start();
    ASSERT_FALSE(QApplication::windowIcon().isNull());
    const auto picture = [](const QIcon& icon, int size) {
        return icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    const auto drawn = [](int size) {
        return shell::DrawApplicationPixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_EQ(picture(QApplication::windowIcon(), 32), drawn(32));
    EXPECT_EQ(picture(program->mainWindow().windowIcon(), 32), drawn(32));
    QMdiSubWindow* setup = program->setupWindow();
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(picture(setup->windowIcon(), 16), drawn(16));
}

TEST(ApplicationIdentity, NamesTheProgramForPerUserFolders)
{
    const QString name = QCoreApplication::applicationName();
    const QString organisation = QCoreApplication::organizationName();
    SetApplicationIdentity();
    EXPECT_EQ(QCoreApplication::applicationName(), "Zeltomir");
    EXPECT_EQ(QCoreApplication::organizationName(), "Zeltomir");
    EXPECT_EQ(QCoreApplication::applicationVersion(), core::VersionText());
    // The installed entry is share/applications/org.zeltomir.zeltomir.desktop.
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.zeltomir.zeltomir");
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setOrganizationName(organisation);
}

} // namespace
} // namespace zeltomir::app
