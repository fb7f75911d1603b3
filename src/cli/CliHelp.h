#pragma once

#include <string>

namespace zeltomir::cli {

// What --help prints, ending in a line end.
std::string HelpText();
// What --version prints: "zeltomir-cli", a blank and the version on the
// first line, then the licence notice the About box shows, one part a line.
std::string VersionLine();

// Exit statuses: the session ran to the end of its input, or it could not go
// on (a bad option, a refused setup, a file that cannot be read or written).
inline constexpr int ExitSuccess = 0;
inline constexpr int ExitCannotGoOn = 2;

} // namespace zeltomir::cli
