#include "core/SnapshotFiles.h"
#include "core/TextFile.h"
#include "core/UndoSnapshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

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

// ---- Where the files go ----

enum class Runtime { Unset, Safe, Link, OpenToOthers, Missing };
enum class Place { ProgramFolder, UserDataFolder, PrivateInRuntime, PrivateInTemp };

struct FolderCase {
    const char* name;
    bool installed; // the folder it runs from is the one the programs are installed into
    bool programWritable;
    bool userDataWritable;
    Runtime runtime;
    Place place;
};

// Folders that cannot be written whoever runs the test (CI runs as root, past
// every permission): they lie under a plain file.
const FolderCase FolderCases[] = {
    {"a program in its build tree writes beside itself", false, true, true, Runtime::Safe, Place::ProgramFolder},
    {"an unwritable program folder gives way to the user's data", false, false, true, Runtime::Safe,
     Place::UserDataFolder},
    {"installed, the user's data folder though its own could be written", true, true, true, Runtime::Safe,
     Place::UserDataFolder},
    {"installed with an unwritable home: a private folder in the runtime folder", true, true, false, Runtime::Safe,
     Place::PrivateInRuntime},
    {"installed with an unwritable home and no runtime folder", true, true, false, Runtime::Unset,
     Place::PrivateInTemp},
    {"a runtime folder that is a link is not used", true, true, false, Runtime::Link, Place::PrivateInTemp},
    {"a runtime folder open to others is not used", true, true, false, Runtime::OpenToOthers, Place::PrivateInTemp},
    {"a runtime folder that does not exist is not used", true, true, false, Runtime::Missing, Place::PrivateInTemp},
    {"nothing usual can be written", false, false, false, Runtime::Safe, Place::PrivateInRuntime},
};

mode_t ModeOf(const QString& path)
{
    struct stat entry {};
    return ::lstat(QFile::encodeName(path).constData(), &entry) == 0 ? entry.st_mode : 0;
}

void WriteText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(text);
}

QByteArray ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST_F(SnapshotFilesTest, TheFolderFollowsTheProgramAndItsEnvironment)
{
    for (const FolderCase& c : FolderCases) {
        SCOPED_TRACE(c.name);
        const QTemporaryDir root;
        const QDir dir(root.path());
        WriteText(dir.filePath("plain"), "x");
        ASSERT_TRUE(dir.mkpath("prefix/bin") && dir.mkpath("tmp") && dir.mkpath("run") && dir.mkpath("open"));
        // The documentation folder decides nothing: a build tree may lie
        // beside one, and a minimal install has none.
        if (!c.installed) {
            ASSERT_TRUE(dir.mkpath("prefix/share/doc/zeltomir"));
        }
        ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("run")).constData(), 0700), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("open")).constData(), 0755), 0);
        ASSERT_TRUE(QFile::link(dir.filePath("run"), dir.filePath("runlink")));
        const QString runtime[] = {"", dir.filePath("run"), dir.filePath("runlink"), dir.filePath("open"),
                                   dir.filePath("gone")};

        SnapshotPlaces places;
        places.programFolder = dir.filePath(c.programWritable ? "prefix/bin" : "plain/bin");
        places.userDataFolder = dir.filePath(c.userDataWritable ? "home/data" : "plain/data");
        places.runtimeFolder = runtime[static_cast<int>(c.runtime)];
        places.tempFolder = dir.filePath("tmp");
        places.installedProgramFolder = c.installed ? places.programFolder : dir.filePath("usr/bin");

        QString privateFolder;
        {
            SnapshotFiles files(places);
            const bool isPrivate = c.place == Place::PrivateInRuntime || c.place == Place::PrivateInTemp;
            EXPECT_EQ(files.isPrivate(), isPrivate);
            EXPECT_EQ(files.outsideUsualFolders(), isPrivate) << "the user is told where the files are";
            if (c.place == Place::ProgramFolder) {
                EXPECT_EQ(files.folder(), places.programFolder);
            }
            if (c.place == Place::UserDataFolder) {
                EXPECT_EQ(files.folder(), places.userDataFolder);
            }
            if (isPrivate) {
                privateFolder = files.folder();
                const QFileInfo info(privateFolder);
                EXPECT_EQ(info.path(), dir.filePath(c.place == Place::PrivateInRuntime ? "run" : "tmp"));
                EXPECT_TRUE(info.fileName().startsWith("zeltomir-snapshots-"));
                EXPECT_EQ(ModeOf(privateFolder), S_IFDIR | 0700) << "a real folder, closed to others";
                EXPECT_EQ(files.choice().unwritableFolder, places.userDataFolder);
                EXPECT_EQ(files.choice().unwritableReason, "Not a directory");
            }

            OptimizationProblem problem;
            ResetToStartup(problem);
            RunTimeState state;
            EXPECT_TRUE(StoreUndoSnapshot(problem, state, files));
            EXPECT_EQ(QFileInfo(files.undoPath()).path(), files.folder());
            EXPECT_TRUE(QFileInfo(files.undoPath()).isFile());
        }
        if (!privateFolder.isEmpty()) {
            EXPECT_FALSE(QFileInfo::exists(privateFolder)) << "the private folder goes with its program";
        }
    }
}

// Links that anyone able to write in a folder could have put there, each
// pointing at what the program must leave alone.
TEST_F(SnapshotFilesTest, PlantedSymbolicLinksAreNeverFollowed)
{
    const struct {
        const char* name;
        const char* at;
        const char* to;
    } cases[] = {
        {"the undo file, to another file", "prog/factorSettings$$bdA.rdo", "victim"},
        {"the redo file, to a file not yet there", "prog/factorSettings$$bdB.rdo", "made"},
        {"the lock file, to a file not yet there", "prog/zeltomir-snapshots.lock", "made"},
        {"a private folder's name, to another folder", "tmp/zeltomir-snapshots-link01", "other"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QTemporaryDir root;
        const QDir dir(root.path());
        ASSERT_TRUE(dir.mkpath("prog") && dir.mkpath("tmp") && dir.mkpath("other"));
        WriteText(dir.filePath("victim"), "another's file");
        // Looks like a private folder whose program has ended.
        WriteText(dir.filePath("other/zeltomir-snapshots.lock"), "");
        WriteText(dir.filePath("other/kept"), "kept");
        ASSERT_TRUE(QFile::link(dir.filePath(c.to), dir.filePath(c.at)));

        SnapshotPlaces places{dir.filePath("prog"), dir.filePath("data"), {}, dir.filePath("tmp"), {}};
        {
            SnapshotFiles files(places);
            OptimizationProblem problem;
            ResetToStartup(problem);
            RunTimeState state;
            EXPECT_TRUE(StoreUndoSnapshot(problem, state, files));
            // As Undo writes the redo file.
            EXPECT_TRUE(WriteStateFile(problem, files.redoPath(), Links::NeverFollow));
            EXPECT_TRUE(QFileInfo(files.undoPath()).isFile() && !QFileInfo(files.undoPath()).isSymLink());
            EXPECT_TRUE(QFileInfo(files.redoPath()).isFile() && !QFileInfo(files.redoPath()).isSymLink());
        }
        EXPECT_EQ(ReadText(dir.filePath("victim")), "another's file");
        EXPECT_FALSE(QFileInfo::exists(dir.filePath("made")));
        EXPECT_EQ(ReadText(dir.filePath("other/kept")), "kept");
    }

    // A snapshot that has been replaced by a link since it was written is
    // not read.
    SnapshotFiles files(m_dir.path());
    OptimizationProblem problem;
    ResetToStartup(problem);
    RunTimeState state;
    ASSERT_TRUE(StoreUndoSnapshot(problem, state, files));
    ASSERT_TRUE(QFile::rename(files.undoPath(), m_dir.filePath("elsewhere.sso")));
    ASSERT_TRUE(QFile::link(m_dir.filePath("elsewhere.sso"), files.undoPath()));
    QByteArray bytes;
    EXPECT_EQ(ReadStateFileBytes(files.undoPath(), bytes, Links::NeverFollow).error,
              "The name is that of a symbolic link, not of a regular file.");
    EXPECT_TRUE(bytes.isEmpty());
}

TEST_F(SnapshotFilesTest, PrivateFoldersOfProgramsThatEndedAreRemoved)
{
    const QDir dir(m_dir.path());
    WriteText(dir.filePath("plain"), "x");
    ASSERT_TRUE(dir.mkpath("tmp"));
    const SnapshotPlaces places{dir.filePath("plain/bin"), dir.filePath("plain/data"), {}, dir.filePath("tmp"), {}};

    auto running = std::make_unique<SnapshotFiles>(places);
    ASSERT_TRUE(running->isPrivate());
    // A program that crashed: its lock file is there, but no one holds it.
    ASSERT_TRUE(dir.mkpath("tmp/zeltomir-snapshots-ended1"));
    WriteText(dir.filePath("tmp/zeltomir-snapshots-ended1/zeltomir-snapshots.lock"), "");
    WriteText(dir.filePath("tmp/zeltomir-snapshots-ended1/factorSettings$$bdA.rdo"), "none\r\n");
    // A program that has made its folder but not yet locked it.
    ASSERT_TRUE(dir.mkpath("tmp/zeltomir-snapshots-begun1"));

    const SnapshotFiles next(places);
    EXPECT_TRUE(next.isPrivate());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("tmp/zeltomir-snapshots-ended1")));
    EXPECT_TRUE(QFileInfo(running->folder()).isDir()) << "a running program keeps its folder";
    EXPECT_TRUE(QFileInfo(dir.filePath("tmp/zeltomir-snapshots-begun1")).isDir());
    EXPECT_NE(next.folder(), running->folder());
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
        theirs.Goal = Goal::Min;
        RunTimeState myState;
        RunTimeState theirState;
        ASSERT_TRUE(StoreUndoSnapshot(mine, myState, *first));
        ASSERT_TRUE(StoreUndoSnapshot(theirs, theirState, second));
        OptimizationProblem loaded = mine;
        ASSERT_TRUE(ReadStateFile(myState.StateFilePath, loaded));
        EXPECT_EQ(loaded.Goal.text(), "max");
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
    problem.Goal = Goal::Target;
    RunTimeState state;
    state.StateFilePath = "/somewhere/else.sso";

    ASSERT_TRUE(StoreUndoSnapshot(problem, state, files));
    EXPECT_EQ(state.StateFilePath, files.undoPath());
    OptimizationProblem loaded;
    ResetToStartup(loaded);
    ASSERT_TRUE(ReadStateFile(files.undoPath(), loaded));
    EXPECT_EQ(loaded.Goal.text(), "mid");
    EXPECT_FALSE(QFileInfo::exists(files.redoPath())) << "only Undo writes the redo file";
}

TEST_F(SnapshotFilesTest, StartUpResetsTheRecordAndWritesTheFirstSnapshot)
{
    SnapshotFiles files(m_dir.path());
    OptimizationProblem problem;
    ResetToStartup(problem);
    problem.NumFactors = 7;
    problem.Stage = Stage::Steps;
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
