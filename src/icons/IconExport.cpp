#include "icons/IconExport.h"

#include "shell/ApplicationIcon.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QSvgGenerator>

namespace zeltomir::icons {

namespace {

bool MakeFolderFor(const QString& path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath());
}

QString WritePng(const QString& path, int size)
{
    if (!MakeFolderFor(path) || !shell::DrawApplicationPixmap(size).save(path, "PNG"))
        return QStringLiteral("cannot write %1").arg(path);
    return {};
}

QString WriteSvg(const QString& path)
{
    QSvgGenerator generator;
    generator.setFileName(path);
    // A view box and no size: without a size the generator writes no width
    // and height in millimetres, and the desktop scales the drawing to
    // whatever size it needs.
    generator.setViewBox(QRect(0, 0, ScalableDrawingSize, ScalableDrawingSize));
    generator.setTitle(QStringLiteral("Zeltomir"));
    generator.setDescription(QStringLiteral("A simplex and the reflection of its worst vertex"));
    QPainter painter;
    if (!MakeFolderFor(path) || !painter.begin(&generator))
        return QStringLiteral("cannot write %1").arg(path);
    shell::PaintApplicationIcon(painter, ScalableDrawingSize);
    painter.end();
    return {};
}

} // namespace

QString PngPath(int size)
{
    return QStringLiteral("%1x%1/apps/%2.png").arg(size).arg(IconName);
}

QString SvgPath()
{
    return QStringLiteral("scalable/apps/%1.svg").arg(IconName);
}

QString ExportThemeIcons(const QString& themeFolder, const QList<int>& sizes)
{
    const QDir theme(themeFolder);
    for (int size : sizes) {
        if (QString error = WritePng(theme.filePath(PngPath(size)), size); !error.isEmpty())
            return error;
    }
    return WriteSvg(theme.filePath(SvgPath()));
}

} // namespace zeltomir::icons
