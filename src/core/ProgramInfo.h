#pragma once

#include <QString>

namespace zeltomir::core {

// The application title and version the program shows (About box) and
// registers with Qt (application name, settings and data folders).
inline const QString ProgramTitle = QStringLiteral("Zeltomir");
inline const QString OrganizationName = QStringLiteral("Zeltomir");
inline constexpr int VersionMajor = 3;
inline constexpr int VersionMinor = 0;
inline constexpr int VersionRevision = 4;

inline QString VersionText()
{
    return QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision);
}

// The manual that Help opens, in the program's folder.
inline const QString ManualFileName = QStringLiteral("Zeltomir.pdf");

} // namespace zeltomir::core
