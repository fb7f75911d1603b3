#pragma once

#include "core/ProgramVersion.h"

#include <QString>

namespace zeltomir::core {

// The application title and version the program shows (About box) and
// registers with Qt (application name, settings and data folders).
inline const QString ProgramTitle = QStringLiteral("Zeltomir");
inline const QString OrganizationName = QStringLiteral("Zeltomir");

inline QString VersionText()
{
    return QString::fromLatin1(VersionNumber);
}

// The manual that Help opens, in the program's folder.
inline const QString ManualFileName = QStringLiteral("Zeltomir.pdf");

} // namespace zeltomir::core
