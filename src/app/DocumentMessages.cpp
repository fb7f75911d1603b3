#include "app/DocumentMessages.h"

#include <QDir>

namespace zeltomir::app {

namespace {

const QString Notice = QStringLiteral("Notice");

QString Shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

core::Message FileNotSaved(const QString& path, const QString& why)
{
    return {Notice, QStringLiteral("The file %1 could not be saved: %2").arg(Shown(path), why),
            core::MessageIcon::Critical};
}

core::Message NothingToSave(const QString& why)
{
    return {Notice, why, core::MessageIcon::Exclamation};
}

core::Message FileNotOpened(const QString& path, const QString& why)
{
    return {Notice, QStringLiteral("The file %1 could not be opened: %2").arg(Shown(path), why),
            core::MessageIcon::Critical};
}

core::Message SnapshotFailed(SnapshotCommand command, SnapshotAccess access, const QString& path, const QString& why)
{
    const QString name = command == SnapshotCommand::Undo ? QStringLiteral("Undo") : QStringLiteral("Redo");
    const QString verb = access == SnapshotAccess::Read ? QStringLiteral("read") : QStringLiteral("written");
    return {Notice,
            QStringLiteral("%1 was not carried out: its working file %2 could not be %3. %4")
                .arg(name, Shown(path), verb, why),
            core::MessageIcon::Critical};
}

core::Message FirstSnapshotNotWritten(const QString& path, const QString& why)
{
    return {Notice,
            QStringLiteral("The working copy of the problem that Undo returns to could not be written to \"%1\". %2")
                .arg(Shown(path), why),
            core::MessageIcon::Exclamation};
}

core::Message SnapshotFolderNotice(const QString& folder, const QString& usualFolder, const QString& why)
{
    return {Notice,
            QStringLiteral("The working files of Undo cannot be kept in \"%1\" (%2). During this run they are kept "
                           "in \"%3\", which is removed when Zeltomir ends.")
                .arg(Shown(usualFolder), why, Shown(folder)),
            core::MessageIcon::Information};
}

core::Message PrintingFailed()
{
    return {Notice, QStringLiteral("There was an error while printing."), core::MessageIcon::Critical};
}

} // namespace zeltomir::app
