#pragma once

// Reading and writing the program's text files (problem files, snapshots,
// exercise files) with the same guarantees: a write replaces the target only
// once the whole text is on disk and never replaces anything but a regular
// file, and a read takes in no more than the file holds, never more than the
// caller's limit. Every refusal names its cause.

#include "core/FileStatus.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QFileDevice;
class QSaveFile;
class QTemporaryFile;

namespace zeltomir::core {

using LineSink = std::function<void(const QString& line)>;

// How a name that is a symbolic link is taken. A file the user chose counts
// as the file the link leads to. The program's working files are never
// reached through a link, which anyone who could write in their folder
// might have planted to have another file replaced or read: a write
// replaces the link itself, and a read refuses it.
enum class Links { Follow, NeverFollow };

// Writes the lines that `emitLines` hands to its sink, each ended by CRLF, in
// UTF-8. Nothing of the target changes unless every line was written.
FileStatus WriteCrLfFile(const QString& path, const std::function<void(const LineSink&)>& emitLines);
// Writes the bytes in one go, with the same guarantee. A failure names the
// system's reason ("No space left on device").
FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes, Links links = Links::Follow);
FileStatus WriteCrLfFile(const QString& path, const QStringList& lines);

// Whether path can name a file to save or open: refused when it names a
// folder or an existing file that is not a regular one (a device, a pipe, a
// socket); a symbolic link counts as the file it leads to. Every write
// checks this itself; a caller with work to lose, or one that must not wait
// on a pipe, checks first.
FileStatus CheckRegularFileName(const QString& path);

// The sentence for a file that cannot be opened for writing: whether the
// name is that of an existing file (which the write would replace), the
// system's reason (an errno value) when one is known, else the reason Qt
// gave. Qt refuses an existing file it may not write as "not writable",
// which hides a read-only file system behind a permission.
QString WriteRefusal(bool existing, int systemError, const QString& reason);

// Whether a save to path can be made: CheckRegularFileName, then the save's
// own first step, undone at once (a new file beside the target, which needs
// a folder that exists and takes new files). For a caller that would only
// learn of a folder it cannot write to after the work it means to keep.
FileStatus CheckWritableFileName(const QString& path);

// Whether a save to either name replaces the same file: the same name,
// or one that a symbolic link leads to (a hard link is not replaced through
// its other name, since a save puts a new file in place of the name).
bool NameTheSameFile(const QString& first, const QString& second);

// A file written piece by piece with the guarantees of WriteWholeFile, for a
// text too large to hold whole beside what it is made from. The target is
// replaced only by a commit after every piece was written.
class FileInPieces {
public:
    explicit FileInPieces(const QString& path, Links links = Links::Follow);
    ~FileInPieces();
    FileInPieces(const FileInPieces&) = delete;
    FileInPieces& operator=(const FileInPieces&) = delete;

    // The first failure so far; once failed, further pieces are ignored.
    const FileStatus& status() const { return m_status; }
    void write(QByteArrayView piece);
    // Renames the whole file over the target; on any failure leaves the
    // target as it was.
    FileStatus commit();

private:
    QFileDevice* device() const;

    QString m_path;
    std::unique_ptr<QSaveFile> m_file;         // through a link to its target
    std::unique_ptr<QTemporaryFile> m_beside;  // renamed over the name itself
    FileStatus m_status = FileStatus::success();
};

// Reads the whole file into data; a file larger than maxBytes is refused
// with the sentence tooLarge, and one that does not fit in the memory left
// is refused too. data is untouched unless the read succeeds.
FileStatus ReadBoundedFile(const QString& path, qint64 maxBytes, const QString& tooLarge, QByteArray& data,
                           Links links = Links::Follow);

// Refuses the text of an editor that the program's readers would take as
// garbage, naming the cause: UTF-16 text (an editor's "Unicode") or lines
// ended by carriage returns alone (an old Mac file). kind names what the
// file was to be ("a problem file").
FileStatus CheckTextBytes(QByteArrayView data, const QString& kind);

// The refusal of a file that the memory left cannot hold, for readers that
// build more from the bytes than the bytes themselves.
FileStatus NotEnoughMemoryToRead();

} // namespace zeltomir::core
