#pragma once

#include <QString>

namespace zeltomir::core {

// Whether the program runs installed: its folder is the one the build
// installs the programs into (the prefix compiled in), whatever else lies
// around it. A minimal system may leave out share/doc, so that folder
// decides nothing.
bool RunsInstalled(const QString& programFolder, const QString& installedProgramFolder);
// The same against the prefix this program was built for.
bool RunsInstalled(const QString& programFolder);

// The program's data folder (share/zeltomir under the prefix) as reached
// from its folder, so that a tree copied elsewhere finds its own.
QString DataFolder(const QString& programFolder);

} // namespace zeltomir::core
