// zeltomir-icons THEME_FOLDER SIZE...: draws the program's icon into
// THEME_FOLDER in the hicolor layout, a PNG for each SIZE and one SVG.

#include "icons/IconExport.h"

#include <QGuiApplication>
#include <QList>

#include <cstdio>

int main(int argc, char** argv)
{
    // Pixmaps need a GUI application; the build runs this with the
    // offscreen platform, so no screen is needed.
    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fputs("Usage: zeltomir-icons THEME_FOLDER SIZE...\n", stderr);
        return 2;
    }
    QList<int> sizes;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        bool ok = false;
        const int size = arguments[i].toInt(&ok);
        if (!ok || size < 1) {
            std::fprintf(stderr, "zeltomir-icons: not a size: %s\n", qPrintable(arguments[i]));
            return 2;
        }
        sizes.append(size);
    }
    const QString error = zeltomir::icons::ExportThemeIcons(arguments[1], sizes);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "zeltomir-icons: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
