#pragma once

#include <QString>

#include <utility>

namespace zeltomir::core {

// The outcome of a file operation; error is a sentence for the user that
// names what was wrong (it does not name the file: callers add that).
struct FileStatus {
    bool ok = true;
    QString error;

    static FileStatus success() { return {}; }
    static FileStatus failure(QString why) { return {false, std::move(why)}; }
    explicit operator bool() const { return ok; }
};

} // namespace zeltomir::core
