#include "core/SnapshotFiles.h"

#include "core/FileLock.h"
#include "core/InstallLayout.h"
#include "core/InstallPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace zeltomir::core {

namespace {

constexpr auto LockFileName = "zeltomir-snapshots.lock";
constexpr auto PrivatePrefix = "zeltomir-snapshots-";

QByteArray Encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// Why no file can be created in folder (the system's words), or an empty
// text when one can. Permission bits say little (the program may run as an
// administrator, or on a share that refuses writes anyway), so a file is
// really created.
QString WriteProbe(const QString& folder)
{
    errno = 0;
    if (!QDir().mkpath(folder))
        return errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : QStringLiteral("the folder cannot be made");
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("zeltomir-probe-XXXXXX")));
    return probe.open() ? QString() : probe.errorString();
}

// The runtime folder must be "owned by the user, and he must be the only one
// having read and write access to it" (XDG base directories); one that is
// not, or that is reached through a link, is no safe place for the files.
bool IsSafeRuntimeFolder(const QString& folder)
{
    struct stat entry {};
    return QDir::isAbsolutePath(folder) && ::lstat(Encoded(folder).constData(), &entry) == 0
           && S_ISDIR(entry.st_mode) && entry.st_uid == ::geteuid() && (entry.st_mode & 077) == 0;
}

// Private folders of programs that ended without removing theirs (a crash, a
// kill). A program holds the lock in its folder for as long as it runs, so a
// lock that can be taken marks a folder no one uses. A folder without its
// lock file is still being made (makePrivateFolder) and is left alone.
void RemoveStalePrivateFolders(const QString& parent)
{
    const QDir dir(parent);
    const QStringList names = dir.entryList({QLatin1String(PrivatePrefix) + QStringLiteral("??????")},
                                            QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString& name : names) {
        const QString folder = dir.filePath(name);
        // Only real folders of this user: a link is never followed, and
        // another user's folder never touched.
        struct stat entry {};
        if (::lstat(Encoded(folder).constData(), &entry) != 0 || !S_ISDIR(entry.st_mode)
            || entry.st_uid != ::geteuid())
            continue;
        const FileLock lock(QDir(folder).filePath(QLatin1String(LockFileName)), FileLock::IfMissing::Fail);
        if (lock.held())
            QDir(folder).removeRecursively(); // removes links inside, never what they lead to
    }
}

} // namespace

SnapshotPlaces SnapshotPlaces::Of(const QString& programFolder)
{
    return {programFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
            qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(), QString::fromUtf8(InstalledProgramFolder)};
}

SnapshotFolderChoice ChooseSnapshotFolder(const SnapshotPlaces& places)
{
    SnapshotFolderChoice choice;
    choice.privateParent =
        QDir::cleanPath(IsSafeRuntimeFolder(places.runtimeFolder) ? places.runtimeFolder : places.tempFolder);

    QStringList usual;
    const bool installed = RunsInstalled(places.programFolder, places.installedProgramFolder);
    if (!installed || places.userDataFolder.isEmpty())
        usual << places.programFolder;
    if (!places.userDataFolder.isEmpty())
        usual << places.userDataFolder;
    for (const QString& folder : usual) {
        const QString why = WriteProbe(folder);
        if (why.isEmpty()) {
            choice.usualFolder = QDir::cleanPath(folder);
            return choice;
        }
        choice.unwritableFolder = QDir::cleanPath(folder);
        choice.unwritableReason = why;
    }
    return choice;
}

SnapshotFiles::SnapshotFiles(const QString& programFolder) : SnapshotFiles(SnapshotPlaces::Of(programFolder)) {}

SnapshotFiles::SnapshotFiles(const SnapshotPlaces& places) : m_choice(ChooseSnapshotFolder(places))
{
    RemoveStalePrivateFolders(m_choice.privateParent);
    if (!m_choice.usualFolder.isEmpty()) {
        // Held for the whole run; a program that crashed holds it no more.
        auto lock =
            std::make_unique<FileLock>(QDir(m_choice.usualFolder).filePath(QString::fromLatin1(LockFileName)));
        if (lock->held()) {
            m_folder = m_choice.usualFolder;
            m_lock = std::move(lock);
            return;
        }
        // Another program owns the shared files: keep ours apart so that an
        // undo never loads that program's problem. With nowhere private to
        // go, sharing the folder beats having no undo.
        if (!makePrivateFolder())
            m_folder = m_choice.usualFolder;
        return;
    }
    // Never a shared folder under fixed names, where anyone could have put a
    // link in their place: a private folder, or else the usual folder, where
    // every snapshot then fails with the system's reason.
    if (!makePrivateFolder())
        m_folder = m_choice.unwritableFolder;
}

SnapshotFiles::~SnapshotFiles()
{
    if (!m_privateFolder.isEmpty())
        QDir(m_privateFolder).removeRecursively();
}

// The folder is new (mode 0700, and mkdtemp takes no name that exists, a
// link included), so no one else can put anything in it. Its lock is taken
// under another name and only then given its own: a lock file that can be
// found is held for as long as its program runs.
bool SnapshotFiles::makePrivateFolder()
{
    QByteArray pattern =
        Encoded(QDir(m_choice.privateParent).filePath(QLatin1String(PrivatePrefix) + QStringLiteral("XXXXXX")));
    if (!::mkdtemp(pattern.data()))
        return false;
    const QString folder = QFile::decodeName(pattern);
    const QString lockPath = QDir(folder).filePath(QLatin1String(LockFileName));
    const QString takenPath = lockPath + QStringLiteral(".new");
    auto lock = std::make_unique<FileLock>(takenPath);
    if (!lock->held() || std::rename(Encoded(takenPath).constData(), Encoded(lockPath).constData()) != 0) {
        QDir(folder).removeRecursively();
        return false;
    }
    m_lock = std::move(lock);
    m_privateFolder = folder;
    m_folder = folder;
    return true;
}

QString SnapshotFiles::undoPath() const { return QDir(m_folder).filePath(QString::fromLatin1(UndoSnapshotName)); }

QString SnapshotFiles::redoPath() const { return QDir(m_folder).filePath(QString::fromLatin1(RedoSnapshotName)); }

bool SnapshotFiles::isPrivate() const { return !m_privateFolder.isEmpty(); }

void SnapshotFiles::keepUndo(KeptSnapshot kept)
{
    m_undoKept = std::make_unique<KeptSnapshot>(std::move(kept));
}

void SnapshotFiles::keepRedo(KeptSnapshot kept)
{
    m_redoKept = std::make_unique<KeptSnapshot>(std::move(kept));
}

QString ProgramFolder()
{
    const QString folder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return folder.isEmpty() ? QDir::currentPath() : folder;
}

} // namespace zeltomir::core
