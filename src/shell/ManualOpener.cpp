#include "shell/ManualOpener.h"

#include "core/ManualLocation.h"
#include "core/SnapshotFiles.h"
#include "shell/DialogService.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace zeltomir::shell {

ManualOpener::ManualOpener(DialogService& dialogs)
    : m_dialogs(dialogs)
    , m_open([](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); })
    , m_path(core::ManualPath(core::ProgramFolder()))
{
}

void ManualOpener::open() const
{
    const QString path = QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath());
    QString problem;
    if (!QFileInfo(m_path).isFile())
        problem = QStringLiteral("It should be at %1 but is missing.").arg(path);
    else if (m_open && !m_open(m_path))
        problem = QStringLiteral("It is at %1.").arg(path);
    if (!problem.isEmpty())
        m_dialogs.message(QStringLiteral("Notice"), QStringLiteral("The manual could not be opened.  ") + problem,
                          core::MessageIcon::Information);
}

} // namespace zeltomir::shell
