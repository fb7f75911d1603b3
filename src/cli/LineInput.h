#pragma once

// Standard input for a session that a signal may stop. A blocking read
// would sit out the signal (and std::getline would only restart it), so
// the wait for input also watches a wake descriptor (StopSignals). Lines
// are handed out one at a time, each only once it is complete: a stop is
// noticed at every line boundary, a line already waiting in the buffer is
// not taken after the stop, and a line cut off by the stop is dropped
// rather than read as a shorter number. At the true end of the input a
// last line without a line end counts as usual, unless a stop came with
// the end.

#include <cstddef>
#include <streambuf>
#include <vector>

namespace zeltomir::cli {

class LineInput : public std::streambuf {
public:
    // Reads `fd`; a readable `wakeFd` (or -1 for none) stops the input.
    LineInput(int fd, int wakeFd);

    // True once the input ended because the wake descriptor became readable.
    bool stopped() const { return m_stopped; }

protected:
    int_type underflow() override;

private:
    bool wakeRaised() const;
    // Waits for and reads more input after the unread bytes; false when
    // there is no more (the end of the input, a read error or a stop).
    bool readMore();
    int_type handOut(std::size_t end);

    int m_fd;
    int m_wakeFd;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0; // the unread bytes are m_begin..m_end
    std::size_t m_end = 0;
    bool m_ended = false;
    bool m_stopped = false;
};

} // namespace zeltomir::cli
