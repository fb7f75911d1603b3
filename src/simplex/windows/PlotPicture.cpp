#include "simplex/windows/PlotPicture.h"

#include "core/TextFile.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>

namespace zeltomir::simplex {

namespace {

QSize StackedSize(const QList<QCustomPlot*>& plots)
{
    QSize size;
    for (const QCustomPlot* plot : plots)
        size = QSize(std::max(size.width(), plot->width()), size.height() + plot->height());
    return size;
}

// Paints each plot below the one before it.
void PaintStacked(const QList<QCustomPlot*>& plots, QPaintDevice& device, double scale = 1)
{
    QCPPainter painter(&device);
    painter.scale(scale, scale);
    for (QCustomPlot* plot : plots) {
        plot->toPainter(&painter, plot->width(), plot->height());
        painter.translate(0, plot->height());
    }
}

} // namespace

QString SavePlotPicture(const QList<QCustomPlot*>& plots, const QString& path)
{
    const QSize size = StackedSize(plots);
    if (size.isEmpty())
        return QStringLiteral("There is no picture to save.");
    // Painted into memory first and written by the program's one file
    // writer, which replaces only a regular file and only once it is whole.
    QBuffer picture;
    picture.open(QIODevice::WriteOnly);
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&picture);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(), size));
        svg.setTitle(QStringLiteral("Simplex Plot"));
        PaintStacked(plots, svg);
    } else if (extension == QLatin1String("pdf")) {
        QPdfWriter pdf(&picture);
        pdf.setTitle(QStringLiteral("Simplex Plot"));
        // A page of the picture's own size (points are 1/72 inch, the
        // picture is drawn at 96 dots an inch), no margins.
        pdf.setResolution(96);
        pdf.setPageSize(
            QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
        pdf.setPageMargins(QMarginsF());
        PaintStacked(plots, pdf);
    } else {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::white);
        PaintStacked(plots, image);
        if (!image.save(&picture, "PNG"))
            return QStringLiteral("The picture could not be encoded.");
    }
    picture.close();
    const core::FileStatus written = core::WriteWholeFile(path, picture.data());
    return written ? QString() : written.error;
}

} // namespace zeltomir::simplex
