#include "core/ManualLocation.h"

#include "core/InstallLayout.h"
#include "core/ProgramInfo.h"

#include <QDir>
#include <QFileInfo>

namespace zeltomir::core {

QString ManualPath(const QString& programFolder)
{
    const QDir folder(programFolder);
    const QString beside = folder.filePath(ManualFileName);
    const QString installed = QDir(DataFolder(programFolder)).filePath(ManualFileName);
    if (!QFileInfo(beside).isFile() && QFileInfo(installed).isFile())
        return installed;
    return beside;
}

} // namespace zeltomir::core
