#include "cli/LineInput.h"

#include <gtest/gtest.h>

#include <istream>
#include <thread>
#include <string>
#include <vector>

#include <unistd.h>

namespace zeltomir::cli {
namespace {

// Pipes stand for standard input and for the wake descriptor of a stop
// signal. The input stays open unless a row closes it: only a stop can
// then end the reading.
TEST(LineInput, HandsOutCompleteLinesUntilTheEndOrAStop)
{
    struct Case {
        const char* what;
        std::string bytes;
        bool closed;     // the writer closes the input after the bytes
        int stopAfter;   // the stop comes after this many lines were read; -1: never
        std::vector<std::string> lines;
        bool stopped;
    };
    const std::string longLine(70000, '7');
    const Case cases[] = {
        {"the end of the input", "1\n2\r\n\n3", true, -1, {"1", "2\r", "", "3"}, false},
        {"a longer line than the buffer", longLine + "\n4\n", true, -1, {longLine, "4"}, false},
        {"lines waiting after the stop", "1\n2\n3\n", false, 1, {"1"}, true},
        {"a line cut off", "1\n2", false, 1, {"1"}, true},
        {"a stop before anything", "1\n", false, 0, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int data[2];
        int wake[2];
        ASSERT_EQ(pipe(data), 0);
        ASSERT_EQ(pipe(wake), 0);
        // The long row is more than a pipe holds: it is written while read.
        std::thread writer([&] {
            EXPECT_EQ(write(data[1], c.bytes.data(), c.bytes.size()), ssize_t(c.bytes.size()));
            if (c.closed)
                close(data[1]);
        });
        LineInput input(data[0], wake[0]);
        std::istream in(&input);
        std::vector<std::string> lines;
        std::string line;
        for (;;) {
            if (static_cast<int>(lines.size()) == c.stopAfter) {
                EXPECT_EQ(write(wake[1], "x", 1), 1);
            }
            if (!std::getline(in, line))
                break;
            lines.push_back(line);
        }
        writer.join();
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(input.stopped(), c.stopped);
        for (const int fd : {data[0], wake[0], wake[1], c.closed ? -1 : data[1]})
            close(fd);
    }
}

} // namespace
} // namespace zeltomir::cli
