#pragma once

#include <QString>

namespace zeltomir::core {

// The folder an installed program keeps its documentation in (the manual),
// ../share/doc/zeltomir from the executable's folder: the layout the build
// installs, bin/ and share/doc/zeltomir/ under one prefix (the build's
// ZELTOMIR_INSTALL_DOCDIR must stay in step). Whether it exists
// is how the program tells that it runs installed.
QString InstalledDocFolder(const QString& programFolder);

} // namespace zeltomir::core
