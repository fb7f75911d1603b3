#include "cli/LineInput.h"

#include <gtest/gtest.h>

#include <istream>
#include <string>
#include <vector>

#include <unistd.h>

namespace zeltomir::cli {
namespace {

// Pipes stand for standard input and for the wake descriptor of a stop
// signal. The input stays open unless a row closes it, so that only a stop
// can end the reading.
TEST(LineInput, HandsOutCompleteLinesUntilTheEndOrAStop)
{
    struct Case {
        std::string bytes;
        bool closed;   // the input ends after the bytes
        int stopAfter; // the stop comes after this many lines; -1: none
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"1\n2\r\n\n3", true, -1, {"1", "2\r", "", "3"}},
        {"1\n2\n3\n", false, 1, {"1"}}, // lines already waiting are not taken
        {"1\n2", false, 1, {"1"}},      // nor one cut off
        {"1\n", false, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        int data[2];
        int wake[2];
        ASSERT_TRUE(pipe(data) == 0 && pipe(wake) == 0);
        ASSERT_EQ(write(data[1], c.bytes.data(), c.bytes.size()), ssize_t(c.bytes.size()));
        close(c.closed ? data[1] : -1);
        LineInput input(data[0], wake[0]);
        std::istream in(&input);
        std::vector<std::string> lines;
        std::string line;
        // The stop is raised once stopAfter lines were read.
        while ((lines.size() != std::size_t(c.stopAfter) || write(wake[1], "x", 1) == 1) && std::getline(in, line))
            lines.push_back(line);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(input.stopped(), c.stopAfter >= 0);
        for (const int fd : {data[0], c.closed ? -1 : data[1], wake[0], wake[1]})
            close(fd);
    }
}

} // namespace
} // namespace zeltomir::cli
