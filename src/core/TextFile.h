#pragma once

// Reading and writing the program's text files (problem files, snapshots,
// exercise files) with the same guarantees: a write replaces the target only
// once the whole text is on disk and never replaces anything but a regular
// file, and a read takes in no more than the file holds, never more than the
// caller's limit.

#include "core/StateFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QSaveFile;

namespace zeltomir::core {

using LineSink = std::function<void(const QString& line)>;

// Writes the lines that `emitLines` hands to its sink, each ended by CRLF, in
// UTF-8. Nothing of the target changes unless every line was written.
FileStatus WriteCrLfFile(const QString& path, const std::function<void(const LineSink&)>& emitLines);
// Writes the bytes in one go, with the same guarantee. A failure names the
// system's reason ("No space left on device").
FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes);
FileStatus WriteCrLfFile(const QString& path, const QStringList& lines);

// Whether path can name a file to save or open: refused when it names a
// folder or an existing file that is not a regular one (a device, a pipe, a
// socket); a symbolic link counts as the file it leads to. Every write
// checks this itself; a caller with work to lose, or one that must not wait
// on a pipe, checks first.
FileStatus CheckRegularFileName(const QString& path);

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
    explicit FileInPieces(const QString& path);
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
    std::unique_ptr<QSaveFile> m_file;
    FileStatus m_status = FileStatus::success();
};

// Reads the whole file into data; a file larger than maxBytes is refused
// with the sentence tooLarge, and one that does not fit in the memory left
// is refused too. data is untouched unless the read succeeds.
FileStatus ReadBoundedFile(const QString& path, qint64 maxBytes, const QString& tooLarge, QByteArray& data);

// The refusal of a file that the memory left cannot hold, for readers that
// build more from the bytes than the bytes themselves.
FileStatus NotEnoughMemoryToRead();

} // namespace zeltomir::core
