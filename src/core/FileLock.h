#pragma once

// A lock on a file, held for as long as the object lives: the kernel's
// advisory lock (flock). It goes with the process however the process ends,
// so a crash or a kill never leaves a stale lock for the next start to
// judge, and taking it writes nothing and waits for no disk.

#include <QString>

namespace zeltomir::core {

class FileLock {
public:
    enum class IfMissing { Create, Fail };

    // Opens the file and tries once to lock it. A symbolic link in its
    // place is never followed: a link planted there could otherwise have
    // the program create a file wherever it points.
    explicit FileLock(const QString& path, IfMissing missing = IfMissing::Create);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // False when another holder has the file locked or it cannot be opened.
    bool held() const { return m_descriptor >= 0; }

private:
    int m_descriptor = -1;
};

} // namespace zeltomir::core
