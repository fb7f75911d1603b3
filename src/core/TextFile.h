#pragma once

// Reading and writing the program's text files (problem files, snapshots,
// exercise files) with the same guarantees: a write replaces the target only
// once the whole text is on disk, and a read never takes in more than the
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
// Writes the bytes in one go, with the same guarantee.
FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes);
FileStatus WriteCrLfFile(const QString& path, const QStringList& lines);

// Reads the whole file into data; a file larger than maxBytes is refused
// with the sentence tooLarge.
FileStatus ReadBoundedFile(const QString& path, qint64 maxBytes, const QString& tooLarge, QByteArray& data);

} // namespace zeltomir::core
