#include "core/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

namespace zeltomir::core {

namespace {

FileStatus CheckName(const QString& path)
{
    if (path.isEmpty())
        return FileStatus::failure(QStringLiteral("No file name was given."));
    if (QFileInfo(path).isDir())
        return FileStatus::failure(QStringLiteral("The name is that of a folder, not a file."));
    return FileStatus::success();
}

} // namespace

FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    if (FileStatus named = CheckName(path); !named)
        return named;

    // QSaveFile writes beside the target and renames only on commit, so an
    // existing file stays whole whatever goes wrong before that.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FileStatus::failure(QStringLiteral("The file cannot be created there (%1).").arg(file.errorString()));
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return FileStatus::failure(QStringLiteral("The file could not be written completely (%1).").arg(why));
    }
    if (!file.commit())
        return FileStatus::failure(QStringLiteral("The file could not be written completely (%1).").arg(file.errorString()));
    return FileStatus::success();
}

FileStatus WriteCrLfFile(const QString& path, const std::function<void(const LineSink&)>& emitLines)
{
    QByteArray bytes;
    emitLines([&bytes](const QString& line) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    });
    return WriteWholeFile(path, bytes);
}

FileStatus WriteCrLfFile(const QString& path, const QStringList& lines)
{
    return WriteCrLfFile(path, [&lines](const LineSink& put) {
        for (const QString& line : lines)
            put(line);
    });
}

FileStatus ReadBoundedFile(const QString& path, qint64 maxBytes, const QString& tooLarge, QByteArray& data)
{
    if (path.isEmpty())
        return FileStatus::failure(QStringLiteral("No file name was given."));
    const QFileInfo info(path);
    if (!info.exists())
        return FileStatus::failure(QStringLiteral("The file does not exist."));
    if (info.isDir())
        return FileStatus::failure(QStringLiteral("The name is that of a folder, not a file."));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileStatus::failure(QStringLiteral("The file cannot be opened for reading (%1).").arg(file.errorString()));
    if (file.size() > maxBytes)
        return FileStatus::failure(tooLarge);
    // Read one byte past what is there (or the limit): a file that grows
    // meanwhile, or a device without a size, is still caught, and a small
    // file takes no more memory than it needs.
    const qint64 size = file.size();
    QByteArray read = file.read(std::min(maxBytes, size > 0 ? size : maxBytes) + 1);
    if (read.size() > size && read.size() <= maxBytes) // it grew meanwhile: the rest, to the limit
        read += file.read(maxBytes + 1 - read.size());
    if (file.error() != QFileDevice::NoError)
        return FileStatus::failure(QStringLiteral("The file cannot be read (%1).").arg(file.errorString()));
    if (read.size() > maxBytes)
        return FileStatus::failure(tooLarge);
    data = std::move(read);
    return FileStatus::success();
}

} // namespace zeltomir::core
