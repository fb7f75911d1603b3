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

namespace zeltomir::core {

using LineSink = std::function<void(const QString& line)>;

// Writes the lines that `emitLines` hands to its sink, each ended by CRLF, in
// UTF-8. Nothing of the target changes unless every line was written.
FileStatus WriteCrLfFile(const QString& path, const std::function<void(const LineSink&)>& emitLines);
// Writes the bytes in one go, with the same guarantee. A failure names the
// system's reason ("No space left on device").
FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes);
FileStatus WriteCrLfFile(const QString& path, const QStringList& lines);

// Reads the whole file into data; a file larger than maxBytes is refused
// with the sentence tooLarge, and one that does not fit in the memory left
// is refused too. data is untouched unless the read succeeds.
FileStatus ReadBoundedFile(const QString& path, qint64 maxBytes, const QString& tooLarge, QByteArray& data);

// The refusal of a file that the memory left cannot hold, for readers that
// build more from the bytes than the bytes themselves.
FileStatus NotEnoughMemoryToRead();

} // namespace zeltomir::core
