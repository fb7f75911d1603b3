#include "core/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

const QString SpecialFile =
    QStringLiteral("The name is that of a device, a pipe or a socket, not a regular file.");
const QString LinkRefused = QStringLiteral("The name is that of a symbolic link, not of a regular file.");

QString SystemReason(int systemError)
{
    return QString::fromLocal8Bit(std::strerror(systemError));
}

// The name as it stands in its folder, a symbolic link included.
std::optional<struct stat> EntryOf(const QString& path)
{
    struct stat entry {};
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0)
        return std::nullopt;
    return entry;
}

// A name a write may take without following a link: a new name, a regular
// file or a link, which is replaced.
FileStatus CheckEntryName(const QString& path)
{
    if (path.isEmpty())
        return FileStatus::failure(QStringLiteral("No file name was given."));
    const std::optional<struct stat> entry = EntryOf(path);
    if (entry && S_ISDIR(entry->st_mode))
        return FileStatus::failure(QStringLiteral("The name is that of a folder, not a file."));
    if (entry && !S_ISREG(entry->st_mode) && !S_ISLNK(entry->st_mode))
        return FileStatus::failure(SpecialFile);
    return FileStatus::success();
}

// Why QSaveFile could not open path. Its own sentence for an existing file
// it may not write ("Existing file ... is not writable") names no cause;
// the system, asked the same question, does.
FileStatus OpenFailure(const QString& path, const QFileDevice& file)
{
    const bool existing = QFileInfo::exists(path);
    int systemError = 0;
    if (existing && ::access(QFile::encodeName(path).constData(), W_OK) != 0)
        systemError = errno;
    return FileStatus::failure(WriteRefusal(existing, systemError, file.errorString()));
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
        return SystemReason(systemError);
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
        return FileStatus::failure(SpecialFile);
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
    return OpenFailure(path, probe);
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

QString WriteRefusal(bool existing, int systemError, const QString& reason)
{
    const QString why = systemError != 0 ? SystemReason(systemError) : reason;
    return existing ? QStringLiteral("The file cannot be replaced (%1).").arg(why)
                    : QStringLiteral("The file cannot be created there (%1).").arg(why);
}

FileInPieces::FileInPieces(const QString& path, Links links) : m_path(path)
{
    if (links == Links::NeverFollow) {
        if (m_status = CheckEntryName(path); !m_status)
            return;
        // A new file of its own (made exclusively, so nothing planted under
        // its name is opened), renamed over the name on commit: the rename
        // replaces a link there, never the file it leads to.
        m_beside = std::make_unique<QTemporaryFile>(path + QStringLiteral(".XXXXXX"));
        if (!m_beside->open())
            m_status = FileStatus::failure(WriteRefusal(EntryOf(path).has_value(), 0, m_beside->errorString()));
        return;
    }
    if (m_status = CheckRegularFileName(path); !m_status)
        return;
    // QSaveFile writes beside the target and renames only on commit, so an
    // existing file stays whole whatever goes wrong before that. Unbuffered:
    // a buffered write that fails only when the commit flushes it leaves the
    // commit to rename the cut-off file over the target as if all was well.
    m_file = std::make_unique<QSaveFile>(path);
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        m_status = OpenFailure(path, *m_file);
}

FileInPieces::~FileInPieces()
{
    if (m_file && m_file->isOpen())
        m_file->cancelWriting();
}

QFileDevice* FileInPieces::device() const
{
    return m_file ? static_cast<QFileDevice*>(m_file.get()) : m_beside.get();
}

void FileInPieces::write(QByteArrayView piece)
{
    if (m_status)
        m_status = WriteAll(*device(), piece);
}

FileStatus FileInPieces::commit()
{
    if (!m_status) {
        if (m_file)
            m_file->cancelWriting();
        return m_status; // a file written beside goes with m_beside
    }
    errno = 0;
    if (m_file) {
        if (!m_file->commit())
            m_status = FileStatus::failure(
                QStringLiteral("The file could not be written completely (%1).").arg(ReasonOf(*m_file, errno)));
        return m_status;
    }
    // Its writes are buffered: what the buffer still holds may fail only now.
    // As with QSaveFile, a file system that cannot sync is no failure; one
    // that reports the data lost is.
    const bool flushed = m_beside->flush();
    const bool synced = ::fsync(m_beside->handle()) == 0 || (errno != EIO && errno != ENOSPC && errno != EDQUOT);
    if (!flushed || !synced) {
        m_status = FileStatus::failure(
            QStringLiteral("The file could not be written completely (%1).").arg(ReasonOf(*m_beside, errno)));
        return m_status;
    }
    if (std::rename(QFile::encodeName(m_beside->fileName()).constData(), QFile::encodeName(m_path).constData()) != 0) {
        m_status = FileStatus::failure(WriteRefusal(EntryOf(m_path).has_value(), errno, {}));
        return m_status;
    }
    m_beside->setAutoRemove(false);
    m_beside->close();
    return m_status;
}

FileStatus WriteWholeFile(const QString& path, const QByteArray& bytes, Links links)
{
    FileInPieces file(path, links);
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

namespace {

// Opens a file for reading that is not reached through a symbolic link.
// A pipe in its place is refused too, as it would hold up the read for ever.
FileStatus OpenEntry(const QString& path, QFile& file)
{
    const std::optional<struct stat> entry = EntryOf(path);
    if (!entry)
        return FileStatus::failure(QStringLiteral("The file does not exist."));
    if (S_ISLNK(entry->st_mode))
        return FileStatus::failure(LinkRefused);
    if (S_ISDIR(entry->st_mode))
        return FileStatus::failure(QStringLiteral("The name is that of a folder, not a file."));
    if (!S_ISREG(entry->st_mode))
        return FileStatus::failure(SpecialFile);
    // O_NOFOLLOW: a link put in the file's place since is refused all the same.
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return FileStatus::failure(errno == ELOOP ? LinkRefused
                                                  : QStringLiteral("The file cannot be opened for reading (%1).")
                                                        .arg(SystemReason(errno)));
    if (!file.open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return FileStatus::failure(QStringLiteral("The file cannot be opened for reading (%1).").arg(file.errorString()));
    }
    return FileStatus::success();
}

FileStatus OpenFollowingLinks(const QString& path, QFile& file)
{
    const QFileInfo info(path);
    if (!info.exists())
        return FileStatus::failure(QStringLiteral("The file does not exist."));
    if (info.isDir())
        return FileStatus::failure(QStringLiteral("The name is that of a folder, not a file."));
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileStatus::failure(QStringLiteral("The file cannot be opened for reading (%1).").arg(file.errorString()));
    return FileStatus::success();
}

// UTF-16 text: its byte order mark, or, where an editor wrote none, the zero
// byte that each character of plain ASCII carries beside it, always on the
// same side of its pair. Binary data has its zeros on both sides.
bool HoldsUtf16(QByteArrayView data)
{
    if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF"))
        return true;
    constexpr qsizetype Pairs = 256;
    const qsizetype pairs = std::min(data.size() / 2, Pairs);
    qsizetype zeros[2] = {0, 0};
    for (qsizetype i = 0; i < 2 * pairs; ++i)
        zeros[i % 2] += data[i] == '\0';
    return pairs > 0 && std::min(zeros[0], zeros[1]) == 0 && 2 * std::max(zeros[0], zeros[1]) >= pairs;
}

} // namespace

FileStatus ReadBoundedFile(const QString& path, qint64 maxBytes, const QString& tooLarge, QByteArray& data,
                           Links links)
{
    if (path.isEmpty())
        return FileStatus::failure(QStringLiteral("No file name was given."));
    QFile file;
    if (FileStatus opened = links == Links::NeverFollow ? OpenEntry(path, file) : OpenFollowingLinks(path, file);
        !opened)
        return opened;
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

FileStatus CheckTextBytes(QByteArrayView data, const QString& kind)
{
    if (HoldsUtf16(data))
        return FileStatus::failure(QStringLiteral("The file holds UTF-16 text and cannot be read as %1.").arg(kind));
    // Read as it is, such a file would be one long line.
    if (data.contains('\r') && !data.contains('\n'))
        return FileStatus::failure(
            QStringLiteral("The file uses carriage returns alone to end its lines and cannot be read as %1.")
                .arg(kind));
    return FileStatus::success();
}

} // namespace zeltomir::core
