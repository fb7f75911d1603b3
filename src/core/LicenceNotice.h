#pragma once

#include <QString>
#include <QStringList>

namespace zeltomir::core {

// What the GPL asks an interactive program to tell its user: who holds the
// copyright, that there is no warranty, and under which licence it may be
// passed on and where that licence is. --version of both programs prints
// them one a line; the About box shows them as a paragraph with the address
// on a line of its own, where it is never broken.
inline QStringList LicenceNotice()
{
    return {
        QStringLiteral("Copyright (C) 2026 The Zeltomir developers."),
        QStringLiteral("This program comes with ABSOLUTELY NO WARRANTY."),
        QStringLiteral("It is free software under the GNU General Public License, version 3 or later."),
        QStringLiteral("The licence: https://www.gnu.org/licenses/gpl.html"),
    };
}

// The version answer of a program named `program`: its name and version on
// the first line, then the notice.
inline QString VersionAnswer(const QString& program, const QString& version)
{
    return program + QLatin1Char(' ') + version + QLatin1Char('\n') + LicenceNotice().join(QLatin1Char('\n'))
           + QLatin1Char('\n');
}

} // namespace zeltomir::core
