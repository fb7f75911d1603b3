#include "cli/LineInput.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <poll.h>
#include <unistd.h>

namespace zeltomir::cli {

namespace {

// Longer lines are handed out in pieces of this size; the reader drops the
// start of one that a stop cut off.
constexpr std::size_t BufferBytes = 64 * 1024;

} // namespace

LineInput::LineInput(int fd, int wakeFd)
    : m_fd(fd)
    , m_wakeFd(wakeFd)
    , m_buffer(BufferBytes)
{
}

LineInput::int_type LineInput::underflow()
{
    if (gptr() < egptr())
        return traits_type::to_int_type(*gptr());
    if (eback())
        m_begin = static_cast<std::size_t>(egptr() - m_buffer.data());
    if (m_stopped || wakeRaised()) {
        m_stopped = true;
        return traits_type::eof();
    }
    for (;;) {
        const char* unread = m_buffer.data() + m_begin;
        if (const void* lineEnd = std::memchr(unread, '\n', m_end - m_begin))
            return handOut(static_cast<std::size_t>(static_cast<const char*>(lineEnd) - m_buffer.data()) + 1);
        if (m_end - m_begin == m_buffer.size())
            return handOut(m_end);
        if (!readMore()) {
            // A signal that comes with the end of the input may have its
            // handler run only after the wait saw the end; it still stops
            // the session, as it would have a moment earlier.
            m_stopped = m_stopped || wakeRaised();
            if (m_stopped || m_begin == m_end)
                return traits_type::eof();
            return handOut(m_end);
        }
    }
}

LineInput::int_type LineInput::handOut(std::size_t end)
{
    char* base = m_buffer.data();
    setg(base + m_begin, base + m_begin, base + end);
    return traits_type::to_int_type(*gptr());
}

bool LineInput::wakeRaised() const
{
    if (m_wakeFd < 0)
        return false;
    pollfd wake{m_wakeFd, POLLIN, 0};
    return poll(&wake, 1, 0) > 0 && (wake.revents & POLLIN) != 0;
}

bool LineInput::readMore()
{
    if (m_ended)
        return false;
    // The unread part of a line moves to the front to make room.
    std::copy(m_buffer.begin() + static_cast<std::ptrdiff_t>(m_begin),
              m_buffer.begin() + static_cast<std::ptrdiff_t>(m_end), m_buffer.begin());
    m_end -= m_begin;
    m_begin = 0;
    setg(nullptr, nullptr, nullptr);
    for (;;) {
        pollfd fds[2] = {{m_fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        const int ready = poll(fds, m_wakeFd >= 0 ? 2 : 1, -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (m_wakeFd >= 0 && (fds[1].revents & POLLIN) != 0) {
            m_stopped = true;
            return false;
        }
        if (ready < 0 || (fds[0].revents & POLLNVAL) != 0) {
            m_ended = true;
            return false;
        }
        const ssize_t count = read(m_fd, m_buffer.data() + m_end, m_buffer.size() - m_end);
        if (count > 0) {
            m_end += static_cast<std::size_t>(count);
            return true;
        }
        if (count < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        // The end of the input, or a read error, which ends it just the same.
        m_ended = true;
        return false;
    }
}

} // namespace zeltomir::cli
