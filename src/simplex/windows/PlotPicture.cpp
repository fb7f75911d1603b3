#include "simplex/windows/PlotPicture.h"

#include <qcustomplot.h>

#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QSaveFile>
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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&file);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(), size));
        svg.setTitle(QStringLiteral("Simplex Plot"));
        PaintStacked(plots, svg);
    } else if (extension == QLatin1String("pdf")) {
        QPdfWriter pdf(&file);
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
        if (!image.save(&file, "PNG"))
            return QStringLiteral("The picture could not be encoded.");
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace zeltomir::simplex
