#pragma once

// Standard output (or error) for a session that a signal may stop. A
// blocking write to a pipe that nobody reads waits for ever, and the
// standard library writes on after a signal, so the wait for room also
// watches the wake descriptor (StopSignals): once a stop has come, what
// the output cannot take at once is given up and the stream fails, and the
// session ends as it does when its output is closed, saving included. Until
// then the output is waited for, however slow its reader.

#include <cstddef>
#include <streambuf>
#include <vector>

namespace zeltomir::cli {

class LineOutput : public std::streambuf {
public:
    // Writes to `fd`; a readable `wakeFd` (or -1 for none) gives up a wait.
    LineOutput(int fd, int wakeFd);
    ~LineOutput() override;
    LineOutput(const LineOutput&) = delete;
    LineOutput& operator=(const LineOutput&) = delete;

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    // Writes out what is buffered; false once the output failed.
    bool drain();

    int m_fd;
    int m_wakeFd;
    std::vector<char> m_buffer;
    bool m_failed = false;
};

} // namespace zeltomir::cli
