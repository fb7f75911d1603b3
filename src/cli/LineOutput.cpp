#include "cli/LineOutput.h"

#include <algorithm>
#include <cerrno>
#include <climits>

#include <poll.h>
#include <unistd.h>

namespace zeltomir::cli {

namespace {

constexpr std::size_t BufferBytes = 64 * 1024;

} // namespace

LineOutput::LineOutput(int fd, int wakeFd)
    : m_fd(fd)
    , m_wakeFd(wakeFd)
    , m_buffer(BufferBytes)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

LineOutput::~LineOutput()
{
    drain();
}

LineOutput::int_type LineOutput::overflow(int_type c)
{
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int LineOutput::sync()
{
    return drain() ? 0 : -1;
}

bool LineOutput::drain()
{
    const char* next = pbase();
    while (!m_failed && next < pptr()) {
        pollfd fds[2] = {{m_fd, POLLOUT, 0}, {m_wakeFd, POLLIN, 0}};
        const int ready = poll(fds, m_wakeFd >= 0 ? 2 : 1, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0) {
            m_failed = true;
            break;
        }
        if (fds[0].revents != 0) {
            // Any event, an error included, is for the write to report. A
            // pipe that shows room takes PIPE_BUF bytes without waiting.
            const auto size = static_cast<std::size_t>(std::min<std::ptrdiff_t>(pptr() - next, PIPE_BUF));
            const ssize_t written = write(m_fd, next, size);
            if (written > 0)
                next += written;
            else if (written == 0 || (errno != EINTR && errno != EAGAIN))
                m_failed = true;
        } else if ((fds[1].revents & POLLIN) != 0) {
            m_failed = true;
        }
    }
    // What could not be written is dropped with the failure: the stream
    // reports it, and nothing later is written after a gap.
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return !m_failed;
}

} // namespace zeltomir::cli
