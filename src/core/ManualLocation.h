#pragma once

#include <QString>

namespace zeltomir::core {

// Where Help finds the manual: next to the executable when it is there (a
// build folder, a copied program), otherwise in the program's installed data
// folder (DataFolder). When neither exists, the first, so that a message can
// say where it belongs.
QString ManualPath(const QString& programFolder);

} // namespace zeltomir::core
