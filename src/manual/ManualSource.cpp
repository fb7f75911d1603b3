#include "ManualSource.h"

#include "core/ProgramInfo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace zeltomir::manual {

namespace {

// Far above any manual; keeps a wrongly named input (a disk image, say)
// from being read into memory whole.
constexpr qint64 MaxSourceBytes = 16 * 1024 * 1024;

ManualSource Failed(const QString& path, const QString& why)
{
    return {QString(), QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why)};
}

} // namespace

ManualSource ReadManualSource(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return Failed(path, QStringLiteral("the file does not exist."));
    if (QFileInfo(path).isDir())
        return Failed(path, QStringLiteral("the name is that of a folder, not a file."));
    if (!file.open(QIODevice::ReadOnly))
        return Failed(path, QStringLiteral("the file cannot be read (%1).").arg(file.errorString()));
    if (file.size() > MaxSourceBytes)
        return Failed(path, QStringLiteral("the file is too large to be the manual's text."));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failed(path, QStringLiteral("the file cannot be read (%1).").arg(file.errorString()));

    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return Failed(path, QStringLiteral("the file is not UTF-8 text."));
    if (text.trimmed().isEmpty())
        return Failed(path, QStringLiteral("the file holds no text."));
    return {FillPlaceholders(text), QString()};
}

QString FillPlaceholders(QString markdown)
{
    return markdown.replace(VersionPlaceholder, core::VersionText());
}

} // namespace zeltomir::manual
