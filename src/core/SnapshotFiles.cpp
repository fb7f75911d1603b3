#include "core/SnapshotFiles.h"

#include "core/FileLock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

namespace zeltomir::core {

namespace {

constexpr auto LockFileName = "zeltomir-snapshots.lock";

// Permission bits say little (the program may run as an administrator, or on
// a share that refuses writes anyway), so the folder counts as writable only
// when a file can really be created in it.
bool CanWriteIn(const QString& folder)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("zeltomir-probe-XXXXXX")));
    return probe.open();
}

QString WritableSharedFolder(const QString& preferredFolder)
{
    if (CanWriteIn(preferredFolder))
        return QDir::cleanPath(preferredFolder);
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (CanWriteIn(appData))
        return QDir::cleanPath(appData);
    return QDir::cleanPath(QDir::tempPath());
}

} // namespace

SnapshotFiles::SnapshotFiles(const QString& preferredFolder)
{
    const QString shared = WritableSharedFolder(preferredFolder);
    // Held for the whole run; a program that crashed holds it no more.
    auto lock = std::make_unique<FileLock>(QDir(shared).filePath(QString::fromLatin1(LockFileName)));
    if (lock->held()) {
        m_folder = shared;
        m_lock = std::move(lock);
        return;
    }

    // Another program owns the shared files: keep ours apart so that an undo
    // never loads that program's problem.
    QTemporaryDir privateDir(QDir(QDir::tempPath()).filePath(QStringLiteral("zeltomir-snapshots-XXXXXX")));
    if (privateDir.isValid()) {
        privateDir.setAutoRemove(false);
        m_privateFolder = QDir::cleanPath(privateDir.path());
        m_folder = m_privateFolder;
    } else {
        // Nowhere private to go: sharing the folder beats having no undo.
        m_folder = shared;
    }
}

SnapshotFiles::~SnapshotFiles()
{
    if (!m_privateFolder.isEmpty())
        QDir(m_privateFolder).removeRecursively();
}

QString SnapshotFiles::undoPath() const { return QDir(m_folder).filePath(QString::fromLatin1(UndoSnapshotName)); }

QString SnapshotFiles::redoPath() const { return QDir(m_folder).filePath(QString::fromLatin1(RedoSnapshotName)); }

bool SnapshotFiles::isPrivate() const { return !m_privateFolder.isEmpty(); }

QString SnapshotFolderFor(const QString& programFolder)
{
    const bool installed = QFileInfo(QDir(programFolder).filePath(QStringLiteral("../share/doc/zeltomir"))).isDir();
    if (!installed)
        return programFolder;
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return appData.isEmpty() ? programFolder : appData;
}

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
