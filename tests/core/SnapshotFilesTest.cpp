#include "core/SnapshotFiles.h"
#include "core/UndoSnapshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeltomir::core {
namespace {

// Keeps the per-user folders of the tests away from the real ones.
class SnapshotFilesTest : public testing::Test {
protected:
    void SetUp() override { QStandardPaths::setTestModeEnabled(true); }
    void TearDown() override { QStandardPaths::setTestModeEnabled(false); }

    QTemporaryDir m_dir;
};

QString Clean(const QString& path) { return QDir::cleanPath(path); }

TEST_F(SnapshotFilesTest, FilesLiveInTheWritablePreferredFolder)
{
    SnapshotFiles files(m_dir.path());
    EXPECT_EQ(files.folder(), Clean(m_dir.path()));
    EXPECT_FALSE(files.isPrivate());
    EXPECT_EQ(files.undoPath(), Clean(m_dir.path()) + "/factorSettings$$bdA.rdo");
    EXPECT_EQ(files.redoPath(), Clean(m_dir.path()) + "/factorSettings$$bdB.rdo");
}

TEST_F(SnapshotFilesTest, AFolderThatCannotBeWrittenFallsBackToTheUserDataFolder)
{
    // A folder under a plain file can never be created, whoever runs the test.
    QFile plain(m_dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    SnapshotFiles files(plain.fileName() + "/sub");
    const QString appData = Clean(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    EXPECT_EQ(files.folder(), appData);
    EXPECT_TRUE(QFileInfo(files.folder()).isDir());

    OptimizationProblem problem;
    ResetToStartup(problem);
    RunTimeState state;
    EXPECT_TRUE(StoreUndoSnapshot(problem, state, files));
    EXPECT_TRUE(QFileInfo::exists(files.undoPath()));
    QFile::remove(files.undoPath());
}

// An installed program writes no working files among the system's, even
// where it could (run by an administrator): the user's data folder instead.
TEST_F(SnapshotFilesTest, AnInstalledProgramKeepsItsSnapshotsInTheUserDataFolder)
{
    const QDir prefix(m_dir.path());
    ASSERT_TRUE(prefix.mkpath("bin"));
    EXPECT_EQ(SnapshotFolderFor(prefix.filePath("bin")), prefix.filePath("bin"));
    ASSERT_TRUE(prefix.mkpath("share/doc/zeltomir"));
    EXPECT_EQ(SnapshotFolderFor(prefix.filePath("bin")), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

TEST_F(SnapshotFilesTest, ASecondProgramKeepsItsSnapshotsInAPrivateFolder)
{
    auto first = std::make_unique<SnapshotFiles>(m_dir.path());
    ASSERT_EQ(first->folder(), Clean(m_dir.path()));

    QString privateFolder;
    {
        SnapshotFiles second(m_dir.path());
        EXPECT_TRUE(second.isPrivate());
        privateFolder = second.folder();
        EXPECT_NE(privateFolder, first->folder());
        EXPECT_TRUE(QFileInfo(privateFolder).isDir());
        EXPECT_NE(second.undoPath(), first->undoPath());
        EXPECT_NE(second.redoPath(), first->redoPath());

        // The two programs' undo states stay apart.
        OptimizationProblem mine;
        ResetToStartup(mine);
        OptimizationProblem theirs = mine;
        theirs.Goal = "min";
        RunTimeState myState;
        RunTimeState theirState;
        ASSERT_TRUE(StoreUndoSnapshot(mine, myState, *first));
        ASSERT_TRUE(StoreUndoSnapshot(theirs, theirState, second));
        OptimizationProblem loaded = mine;
        ASSERT_TRUE(ReadStateFile(myState.StateFilePath, loaded));
        EXPECT_EQ(loaded.Goal, "max");
    }
    EXPECT_FALSE(QFileInfo::exists(privateFolder)) << "the private folder goes with its program";

    // Once the first program ends, the shared folder is free again.
    first.reset();
    SnapshotFiles third(m_dir.path());
    EXPECT_FALSE(third.isPrivate());
    EXPECT_EQ(third.folder(), Clean(m_dir.path()));
}

TEST_F(SnapshotFilesTest, StoringASnapshotPointsTheStateFileAtTheUndoFile)
{
    SnapshotFiles files(m_dir.path());
    OptimizationProblem problem;
    ResetToStartup(problem);
    problem.Goal = "mid";
    RunTimeState state;
    state.StateFilePath = "/somewhere/else.sso";

    ASSERT_TRUE(StoreUndoSnapshot(problem, state, files));
    EXPECT_EQ(state.StateFilePath, files.undoPath());
    OptimizationProblem loaded;
    ResetToStartup(loaded);
    ASSERT_TRUE(ReadStateFile(files.undoPath(), loaded));
    EXPECT_EQ(loaded.Goal, "mid");
    EXPECT_FALSE(QFileInfo::exists(files.redoPath())) << "only Undo writes the redo file";
}

TEST_F(SnapshotFilesTest, StartUpResetsTheRecordAndWritesTheFirstSnapshot)
{
    SnapshotFiles files(m_dir.path());
    OptimizationProblem problem;
    ResetToStartup(problem);
    problem.NumFactors = 7;
    problem.Stage = "Steps";
    RunTimeState state;
    state.Modified = "yes";
    state.ActiveWindow = "SimplexSteps";

    ASSERT_TRUE(StartUpProblem(problem, state, files));

    OptimizationProblem fresh;
    ResetToStartup(fresh);
    EXPECT_TRUE(problem == fresh);
    EXPECT_EQ(state.Modified, "no");
    EXPECT_EQ(state.ActiveWindow, "");
    EXPECT_EQ(state.FactorGridInvalid, "n");
    EXPECT_EQ(state.StateFilePath, files.undoPath());
    QFile snapshot(files.undoPath());
    ASSERT_TRUE(snapshot.open(QIODevice::ReadOnly));
    EXPECT_EQ(snapshot.readAll().count("\r\n"), 72);
}

TEST_F(SnapshotFilesTest, ProgramFolderIsTheExecutablesFolder)
{
    EXPECT_EQ(ProgramFolder(), QCoreApplication::applicationDirPath());
}

} // namespace
} // namespace zeltomir::core
