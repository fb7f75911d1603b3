#pragma once

// Where the two undo snapshot files live. They belong in the program's folder,
// or for an installed program in the per-user data folder; a program that
// can write in neither, and a second program running at the same time,
// keeps them in a private folder made for the run, so that an undo never
// loads another window's problem and no one else can reach the files.

#include "core/ProblemRecord.h"

#include <QString>

#include <memory>

namespace zeltomir::core {

class FileLock;

// A snapshot as the program wrote it: the record with the values it held
// (StepType among them) and whether it was unsaved then (Modified).
struct KeptSnapshot {
    OptimizationProblem record;
    QString modified;
};

inline constexpr auto UndoSnapshotName = "factorSettings$$bdA.rdo";
inline constexpr auto RedoSnapshotName = "factorSettings$$bdB.rdo";

// The folders the choice of the snapshot folder looks at.
struct SnapshotPlaces {
    QString programFolder;  // the executable's folder
    QString userDataFolder; // the per-user data folder; empty when none is known
    QString runtimeFolder;  // $XDG_RUNTIME_DIR; empty when unset
    QString tempFolder;     // the system's folder for temporary files
    QString installedProgramFolder; // where the build installs the programs

    // The places of the running program in programFolder.
    static SnapshotPlaces Of(const QString& programFolder);
};

// Where the snapshot files go: the one decision, taken before any lock.
struct SnapshotFolderChoice {
    // The usual folder, shared with later runs; empty when none of the
    // usual folders can be written.
    QString usualFolder;
    // The last usual folder found unwritable, and the system's reason.
    QString unwritableFolder;
    QString unwritableReason;
    // Where a private folder is made when the usual one is not to be had:
    // the runtime folder where it is safe to use (a real folder, not a link,
    // the user's own and closed to others), else the temporary folder.
    QString privateParent;
};

// The usual folder is the program's folder, unless the program is installed
// (it runs from installedProgramFolder: RunsInstalled), where system folders
// are no place for a user's working files even when they can be written (as
// by an administrator), and removing the package must leave nothing behind:
// then it is the per-user data folder. A program folder that cannot be
// written gives way to the per-user data folder too. A folder counts as
// writable only when a file can really be created in it.
SnapshotFolderChoice ChooseSnapshotFolder(const SnapshotPlaces& places);

class SnapshotFiles {
public:
    // programFolder is normally the executable's folder (SnapshotPlaces::Of).
    // The chosen folder exists when the constructor returns; the files
    // themselves are written by whoever stores a snapshot.
    explicit SnapshotFiles(const QString& programFolder);
    explicit SnapshotFiles(const SnapshotPlaces& places);
    ~SnapshotFiles();
    SnapshotFiles(const SnapshotFiles&) = delete;
    SnapshotFiles& operator=(const SnapshotFiles&) = delete;

    QString folder() const { return m_folder; }
    QString undoPath() const;
    QString redoPath() const;
    // True when the files are kept in a private folder, which goes again
    // with this object.
    bool isPrivate() const;
    // True when they are kept there because no usual folder can be written:
    // the user is told once per run where they are (choice() says why).
    bool outsideUsualFolders() const { return isPrivate() && m_choice.usualFolder.isEmpty(); }
    const SnapshotFolderChoice& choice() const { return m_choice; }

    // What this program last wrote to each file, or nullptr. A file keeps
    // its numbers at single precision; an undo or redo takes the values
    // that the program held back from here wherever they agree with the file.
    const KeptSnapshot* undoKept() const { return m_undoKept.get(); }
    const KeptSnapshot* redoKept() const { return m_redoKept.get(); }
    void keepUndo(KeptSnapshot kept);
    void keepRedo(KeptSnapshot kept);

    // True from the snapshot that File > Open stores until the next one: an
    // undo or redo then goes from one problem to another, and each takes its
    // own step type and unsaved state along (KeptSnapshot).
    bool spansOpen() const { return m_spansOpen; }
    void setSpansOpen(bool spans) { m_spansOpen = spans; }

private:
    bool makePrivateFolder();

    SnapshotFolderChoice m_choice;
    QString m_folder;
    std::unique_ptr<FileLock> m_lock;
    QString m_privateFolder; // removed again when this object goes
    std::unique_ptr<KeptSnapshot> m_undoKept;
    std::unique_ptr<KeptSnapshot> m_redoKept;
    bool m_spansOpen = false;
};

// The folder of the running executable (the "program's folder").
QString ProgramFolder();

} // namespace zeltomir::core
