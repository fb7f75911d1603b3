#pragma once

// Where the two undo snapshot files live. They belong in the program's folder;
// when that folder cannot be written they go to the per-user data folder, and a
// second program running at the same time gets a private folder of its own so
// that an undo never loads another window's problem.

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

class SnapshotFiles {
public:
    // preferredFolder is normally the executable's folder. The chosen folder
    // exists when the constructor returns; the files themselves are written
    // by whoever stores a snapshot.
    explicit SnapshotFiles(const QString& preferredFolder);
    ~SnapshotFiles();
    SnapshotFiles(const SnapshotFiles&) = delete;
    SnapshotFiles& operator=(const SnapshotFiles&) = delete;

    QString folder() const { return m_folder; }
    QString undoPath() const;
    QString redoPath() const;
    // True when another program owned the shared folder and this one keeps its
    // files in a private folder, which goes again with this object.
    bool isPrivate() const;

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
    QString m_folder;
    std::unique_ptr<FileLock> m_lock;
    QString m_privateFolder; // removed again when this object goes
    std::unique_ptr<KeptSnapshot> m_undoKept;
    std::unique_ptr<KeptSnapshot> m_redoKept;
    bool m_spansOpen = false;
};

// The folder of the running executable (the "program's folder").
QString ProgramFolder();

// Where the snapshot files belong for a program in programFolder: that
// folder, unless the program is installed (its documentation lies in
// ../share/doc/zeltomir), where system folders are no place for a user's
// working files even when they can be written (as by an administrator), and
// removing the package must leave nothing behind: the per-user data folder.
QString SnapshotFolderFor(const QString& programFolder);

} // namespace zeltomir::core
