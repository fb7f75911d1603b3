#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace zeltomir::core {

namespace {

// The first piece a file without a size (a pipe, a device) is read into; the
// buffer doubles from there as long as more arrives.
constexpr qsizetype FirstPiece = 64 * 1024;

FileStatus CheckName(const QString& path)
{
    if (path.isEmpty())
        return FileStatus::failure(QStringLiteral("No file name was given."));
    if (QFileInfo(path).isDir())
        return FileStatus::failure(QStringLiteral("The name is that of a folder, not a file."));
    return FileStatus::success();
}

// The file a save to path replaces: symbolic links followed to their end,
// as QSaveFile follows them, even to a file that does not exist yet.
QFileInfo FinalTarget(const QString& path)
{
    constexpr int MostLinks = 128; // a loop of links ends here
    QFileInfo target(path);
    for (int links = 0; target.isSymLink() && links < MostLinks; ++links)
        target.setFile(target.symLinkTarget());
    return target;
}

// Where Qt records no error of its own it can only say "Unknown error";
// errno still holds the system's reason.
QString ReasonOf(const QFileDevice& file, int systemError)
{
    if (file.error() == QFileDevice::NoError && systemError != 0)
        return QString::fromLocal8Bit(std::strerror(systemError));
    return file.errorString();
}

// Appends the file's bytes to data until its end, or until data holds one
// byte more than limit (which shows that the limit is passed). The buffer
// grows with what arrives, so a small file takes small memory whatever the
// limit. False when the file cannot be read.
bool ReadUpTo(QFile& file, qint64 limit, QByteArray& data)
{
    while (data.size() <= limit) {
        if (data.size() >= data.capacity())
            data.reserve(std::min<qint64>(std::max(2 * data.capacity(), FirstPiece), limit + 1));
        const qsizetype start = data.size();
        const qint64 room = data.capacity() - start;
        data.resize(data.capacity());
        const qint64 got = file.read(data.data() + start, room);
        data.resize(start + std::max<qint64>(got, 0));
        if (got <= 0)
            return got == 0;
    }
    return true;
}

FileStatus WriteAll(QFileDevice& file, QByteArrayView bytes)
{
    // A write that stops part-way (the disk filled up during it) comes back
    // short without a reason; writing on has the system give one.
    qint64 written = 0;
    while (written < bytes.size()) {
        errno = 0;
        const qint64 step = file.write(bytes.constData() + written, bytes.size() - written);
        const int systemError = errno;
        if (step <= 0)
            return FileStatus::failure(
                QStringLiteral("The file could not be written completely (%1).").arg(ReasonOf(file, systemError)));
        written += step;
    }
    return FileStatus::success();
}

} // namespace

// A save writes a new file beside the target and renames it over the old
// one. Over a device, a pipe or a socket that would put a plain file in the
// special file's place (run as an administrator, even in place of
// /dev/null), so only a regular file or a new name is taken. A symbolic link
// counts as the file it leads to, which is the one replaced.
FileStatus CheckRegularFileName(const QString& path)
{
    if (FileStatus named = CheckName(path); !named)
        return named;
    const QFileInfo target(path); // follows symbolic links
    if (target.exists() && !target.isFile())
        return FileStatus::failure(
            QStringLiteral("The name is that of a device, a pipe or a socket, not a regular file."));
    return FileStatus::success();
}

FileStatus CheckWritableFileName(const QString& path)
{
    if (FileStatus regular = CheckRegularFileName(path); !regular)
        return regular;
    QSaveFile probe(path);
    if (probe.open(QIODevice::WriteOnly)) {
        probe.cancelWriting();
        return FileStatus::success();
    }
    const QFileInfo folder(FinalTarget(path).absolutePath());
    if (!folder.exists())
        return FileStatus::failure(QStringLiteral("The folder \"%1\" does not exist.").arg(folder.filePath()));
    if (!folder.isDir())
        return FileStatus::failure(QStringLiteral("\"%1\" is not a folder.").arg(folder.filePath()));
    return FileStatus::failure(QStringLiteral("The file cannot be created there (%1).").arg(probe.errorString()));
}

bool NameTheSameFile(const QString& first, const QString& second)
{
    // The folders' own links are resolved too; a folder that does not exist
    // is compared by its name.
    const auto resolved = [](const QString& path) {
        const QFileInfo target = FinalTarget(path);
        const QString folder = QFileInfo(target.absolutePath()).canonicalFilePath();
        return folder.isEmpty() ? QDir::cleanPath(target.absoluteFilePath()) : QDir(folder).filePath(target.fileName());
    };
    return resolved(first) == resolved(second);
}

FileInPieces::FileInPieces(const QString& path)
{
    if (m_status = CheckRegularFileName(path); !m_status)
        return;
    // QSaveFile writes beside the target and renames only on commit, so an
    // existing file stays whole whatever goes wrong before that. Unbuffered:
    // a buffered write that fails only when the commit flushes it leaves the
    // commit to rename the cut-off file over the target as if all was well.
    m_file = std::make_unique<QSaveFile>(path);
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        m_status = FileStatus::failure(
            QStringLiteral("The file cannot be created there (%1).").arg(ReasonOf(*m_file, errno)));
}

FileInPieces::~FileInPieces()
{
    if (m_file && m_file->isOpen())
        m_file->cancelWriting();
}

void FileInPieces::write(QByteArrayView piece)
{
    if (m_status)
        m_status = WriteAll(*m_file, piece);
}

FileStatus FileInPieces::commit()
{
    if (!m_status) {
        if (m_file)
            m_file->cancelWriting();
        return m_status;
    }
    errno = 0;
    if (!m_file->commit())
        m_status = FileStatus::failure(
            QStringLiteral("The file could not be written completely (%1).").arg(ReasonOf(*m_file, errno)));
    return m_status;
}

FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes)
{
    FileInPieces file(path);
    file.write(bytes);
    return file.commit();
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

FileStatus NotEnoughMemoryToRead()
{
    return FileStatus::failure(QStringLiteral("There is not enough memory left to read the file."));
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
    QByteArray read;
    try {
        // Room for the file and one byte more, which catches one that grows
        // meanwhile; a file without a size starts from a small piece.
        read.reserve(file.size() + 1);
        if (!ReadUpTo(file, maxBytes, read))
            return FileStatus::failure(QStringLiteral("The file cannot be read (%1).").arg(file.errorString()));
    } catch (const std::bad_alloc&) {
        return NotEnoughMemoryToRead();
    }
    if (read.size() > maxBytes)
        return FileStatus::failure(tooLarge);
    data = std::move(read);
    return FileStatus::success();
}

} // namespace zeltomir::core
