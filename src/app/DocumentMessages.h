#pragma once

// The messages of the document commands. A file or snapshot that cannot be
// written or read is always reported, naming the file and what was wrong:
// a command that silently did nothing would leave the user believing the
// work was saved, opened or undone.

#include "core/Message.h"

#include <QString>

namespace zeltomir::app {

core::Message FileNotSaved(const QString& path, const QString& why);
// The save was refused before any file was chosen: there is nothing a file
// could hold, or nothing that would open again.
core::Message NothingToSave(const QString& why);
core::Message FileNotOpened(const QString& path, const QString& why);

enum class SnapshotCommand { Undo, Redo };
enum class SnapshotAccess { Read, Write };
// The command was not carried out because one of its two snapshot files
// could not be read or written.
core::Message SnapshotFailed(SnapshotCommand command, SnapshotAccess access, const QString& path, const QString& why);

// Start-up and a new problem: the first snapshot could not be written.
core::Message FirstSnapshotNotWritten(const QString& path, const QString& why);

// Start-up: no usual folder for the snapshot files can be written, so this
// run keeps them in a private folder of its own.
core::Message SnapshotFolderNotice(const QString& folder, const QString& usualFolder, const QString& why);

// Every failure of the print command ends in this one message.
core::Message PrintingFailed();

} // namespace zeltomir::app
