#include "cli/ResumeFile.h"

#include "simplex/ReadBack.h"

#include "core/TextFile.h"

#include <QByteArray>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zeltomir::cli {

namespace {

bool IsPipe(const QString& path)
{
    struct stat info {};
    return stat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode);
}

bool WakeRaised(int wakeFd)
{
    pollfd wake{wakeFd, POLLIN, 0};
    return wakeFd >= 0 && poll(&wake, 1, 0) > 0 && (wake.revents & POLLIN) != 0;
}

// Reads the pipe open at fd (without blocking) to its end. Until a writer
// has come the pipe shows no event at all, so the wait for the writer and
// the waits for more bytes are the same wait.
ResumeFileRead ReadPipe(int fd, int wakeFd, QByteArray& data)
{
    char piece[64 * 1024];
    for (;;) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        const int ready = poll(fds, wakeFd >= 0 ? 2 : 1, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (wakeFd >= 0 && (fds[1].revents & POLLIN) != 0)
            return {core::FileStatus::success(), true};
        const ssize_t got = ready < 0 ? -1 : read(fd, piece, sizeof piece);
        // A stop whose handler ran only after the wait saw the end still
        // counts, as it would have a moment earlier.
        if (got == 0)
            return {core::FileStatus::success(), WakeRaised(wakeFd)};
        if (got < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (got < 0)
            return {core::FileStatus::failure(
                QStringLiteral("The file cannot be read (%1).").arg(QString::fromLocal8Bit(std::strerror(errno))))};
        try {
            data.append(piece, got);
        } catch (const std::bad_alloc&) {
            return {core::NotEnoughMemoryToRead()};
        }
        if (data.size() > core::MaxStateFileBytes)
            return {core::StateFileTooLarge()};
    }
}

} // namespace

ResumeFileRead ReadResumeFile(const QString& path, core::OptimizationProblem& problem, QString* stepType,
                              int wakeFd)
{
    // A pipe that cannot be opened fails in the plain reading too, at once
    // and with its reason.
    const int fd = IsPipe(path) ? open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    if (fd < 0)
        return {simplex::ReadProblemFile(path, problem, stepType)};
    QByteArray data;
    ResumeFileRead read = ReadPipe(fd, wakeFd, data);
    close(fd);
    if (read.stopped || !read.status)
        return read;
    return {simplex::ParseProblemBytes(std::move(data), problem, stepType)};
}

} // namespace zeltomir::cli
