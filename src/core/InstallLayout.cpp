#include "core/InstallLayout.h"

#include "core/InstallPaths.h"

#include <QDir>
#include <QFileInfo>

namespace zeltomir::core {

bool RunsInstalled(const QString& programFolder, const QString& installedProgramFolder)
{
    // Through links and "..": /usr/bin is often a link to /bin, or the other way.
    const QString here = QFileInfo(programFolder).canonicalFilePath();
    return !here.isEmpty() && here == QFileInfo(installedProgramFolder).canonicalFilePath();
}

bool RunsInstalled(const QString& programFolder)
{
    return RunsInstalled(programFolder, QString::fromUtf8(InstalledProgramFolder));
}

QString DataFolder(const QString& programFolder)
{
    return QDir::cleanPath(QDir(programFolder).filePath(QString::fromUtf8(DataFolderFromProgram)));
}

} // namespace zeltomir::core
