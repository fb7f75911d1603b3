#pragma once

// Runs whole optimize sessions against string buffers, the way a program
// at the other end of a pipe would see them.

#include "cli/OptimizeCommand.h"
#include "cli/SimulateCommand.h"

#include <QStringList>

#include <sstream>
#include <string>
#include <vector>

namespace zeltomir::cli::test {

struct Session {
    int status = -1;
    std::vector<std::string> lines; // the output, one event per entry
};

inline std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

inline Session RunOptimize(const QStringList& arguments, std::istream& in)
{
    std::ostringstream out;
    Session session;
    session.status = OptimizeCommand(in, out).run(arguments);
    session.lines = SplitLines(out.str());
    return session;
}

inline Session RunOptimize(const QStringList& arguments, const std::string& input = {})
{
    std::istringstream in(input);
    return RunOptimize(arguments, in);
}

inline Session RunSimulate(const QStringList& arguments)
{
    std::ostringstream out;
    Session session;
    session.status = SimulateCommand(out).run(arguments);
    session.lines = SplitLines(out.str());
    return session;
}

// The 2-factor corner problem: A from 0 to 10 with 2 decimals, B from 5 to 15 with 1.
inline QStringList CornerFactors()
{
    return {"--factor", "A=0..10/2", "--factor", "B=5..15/1"};
}

// A and B from 0 to 16 with 1 decimal: every level used below is a multiple
// of 1/16 of the range, so the coded values are exact and the trials can be
// worked out by hand without rounding doubts.
inline QStringList SixteenFactors()
{
    return {"--factor", "A=0..16/1", "--factor", "B=0..16/1"};
}

// Initial simplex moved inside the box: (4,4), (8,4), (4,8) with results 1, 3, 2.
inline const std::string InteriorStart = "1 @ 4 4\n3 @ 8 4\n2 @ 4 8\n";

} // namespace zeltomir::cli::test
