#include "core/FileLock.h"

#include <QFile>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zeltomir::core {

FileLock::FileLock(const QString& path, IfMissing missing)
{
    // Non-blocking: a pipe planted in the file's place must not hold up the start.
    const int flags = O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (missing == IfMissing::Create ? O_CREAT : 0);
    const int descriptor = ::open(QFile::encodeName(path).constData(), flags, 0644);
    if (descriptor < 0)
        return;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        ::close(descriptor);
        return;
    }
    m_descriptor = descriptor;
}

FileLock::~FileLock()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor); // closing the only descriptor releases the lock
}

} // namespace zeltomir::core
