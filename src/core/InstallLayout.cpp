#include "core/InstallLayout.h"

#include <QDir>

namespace zeltomir::core {

QString InstalledDocFolder(const QString& programFolder)
{
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("../share/doc/zeltomir")));
}

} // namespace zeltomir::core
