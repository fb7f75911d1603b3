#pragma once

// The program's icon as files for the desktop: the picture the windows show,
// written as PNG files at fixed sizes and as an SVG in the folder layout of
// the hicolor icon theme, so the install can copy the folders as they are.

#include <QList>
#include <QString>

namespace zeltomir::icons {

// The name the desktop entry and the metainfo ask the theme for.
inline const QString IconName = QStringLiteral("zeltomir");

// The size the scalable picture is drawn at: the largest fixed size, so that
// it is the detailed drawing and matches that PNG when rasterised.
inline constexpr int ScalableDrawingSize = 256;

// <size>x<size>/apps/zeltomir.png, relative to the theme folder.
QString PngPath(int size);
// scalable/apps/zeltomir.svg, relative to the theme folder.
QString SvgPath();

// Writes the PNG of every size and the SVG under themeFolder, making the
// folders as needed. Returns an empty text, or what could not be written.
QString ExportThemeIcons(const QString& themeFolder, const QList<int>& sizes);

} // namespace zeltomir::icons
