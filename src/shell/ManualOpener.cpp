#include "shell/ManualOpener.h"

#include "core/ManualLocation.h"
#include "core/SnapshotFiles.h"
#include "shell/DialogService.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace zeltomir::shell {

namespace {

// xdg-mime reads a few small files; a desktop that takes longer than this
// to answer is taken as one that cannot be asked.
constexpr int QueryMilliseconds = 3000;

} // namespace

PdfViewers AskDesktopForPdfViewers()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("application/pdf")});
    if (!query.waitForFinished(QueryMilliseconds) || query.exitStatus() != QProcess::NormalExit) {
        query.kill();
        query.waitForFinished();
        return PdfViewers::CannotTell;
    }
    // It names the application's desktop entry, or nothing when there is
    // none, with status 0 or 4 depending on its version.
    return query.readAllStandardOutput().trimmed().isEmpty() ? PdfViewers::None : PdfViewers::Some;
}

ManualOpener::ManualOpener(DialogService& dialogs, QObject* parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_viewers(AskDesktopForPdfViewers)
    , m_program(QStringLiteral("xdg-open"))
    , m_path(core::ManualPath(core::ProgramFolder()))
{
}

ManualOpener::~ManualOpener()
{
    // An opener still running when the program ends (xdg-open waits for
    // the viewer on some desktops) is ended without a report; the viewer
    // it started stays open.
    for (QProcess* process : findChildren<QProcess*>()) {
        process->disconnect(this);
        process->kill();
        process->waitForFinished();
    }
}

void ManualOpener::setOpenerCommand(const QString& program, const QStringList& arguments)
{
    m_program = program;
    m_arguments = arguments;
}

void ManualOpener::open()
{
    if (!QFileInfo(m_path).isFile()) {
        reportCannotOpen(QStringLiteral("It should be at %1 but is missing.").arg(shownPath()));
        return;
    }
    if (m_viewers && m_viewers() == PdfViewers::None) {
        reportCannotOpen(QStringLiteral("It is at %1.").arg(shownPath()));
        return;
    }
    if (m_open) {
        if (!m_open(m_path))
            reportCannotOpen(QStringLiteral("It is at %1.").arg(shownPath()));
        return;
    }
    startOpener(m_path);
}

void ManualOpener::startOpener(const QString& path)
{
    auto* process = new QProcess(this);
    process->setProgram(m_program);
    process->setArguments(m_arguments + QStringList{path});
    // Nothing is read from it: its output goes where the program's does.
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    ++m_running;
    const auto ended = [this, process](bool failed) {
        --m_running;
        process->disconnect(this);
        process->deleteLater();
        if (failed)
            reportCannotOpen(QStringLiteral("It is at %1.").arg(shownPath()));
    };
    connect(process, &QProcess::finished, this, [ended](int exitCode, QProcess::ExitStatus status) {
        ended(status != QProcess::NormalExit || exitCode != 0);
    });
    connect(process, &QProcess::errorOccurred, this, [ended](QProcess::ProcessError error) {
        // A crash or a lost pipe ends in finished() as well.
        if (error == QProcess::FailedToStart)
            ended(true);
    });
    process->start();
}

void ManualOpener::reportCannotOpen(const QString& problem)
{
    m_dialogs.message(QStringLiteral("Notice"), QStringLiteral("The manual could not be opened.  ") + problem,
                      core::MessageIcon::Information);
}

QString ManualOpener::shownPath() const
{
    return QDir::toNativeSeparators(QFileInfo(m_path).absoluteFilePath());
}

} // namespace zeltomir::shell
