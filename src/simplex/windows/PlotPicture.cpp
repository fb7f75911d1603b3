#include "simplex/windows/PlotPicture.h"

#include "core/TextFile.h"

#include <qcustomplot.h>

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <functional>
#include <vector>

namespace zeltomir::simplex {

namespace {

QSize StackedSize(const QList<QCustomPlot*>& plots)
{
    QSize size;
    for (const QCustomPlot* plot : plots)
        size = QSize(std::max(size.width(), plot->width()), size.height() + plot->height());
    return size;
}

// A picture's text is searched and copied, and a ligature, which the font's
// shaping puts in place of "fl" in "Reflection", reaches a PDF as one
// character ("\uFB02"): the word is found by no search. While the plots
// are painted into a picture, every text of theirs is drawn unshaped, one
// glyph a letter; the fonts go back as they were after it, so the screen
// keeps its shaping.
class UnshapedText {
public:
    explicit UnshapedText(const QList<QCustomPlot*>& plots)
    {
        for (QCustomPlot* plot : plots) {
            for (QCPAxisRect* rect : plot->axisRects()) {
                for (QCPAxis* axis : rect->axes()) {
                    unshape(axis, &QCPAxis::tickLabelFont, &QCPAxis::setTickLabelFont);
                    unshape(axis, &QCPAxis::selectedTickLabelFont, &QCPAxis::setSelectedTickLabelFont);
                    unshape(axis, &QCPAxis::labelFont, &QCPAxis::setLabelFont);
                    unshape(axis, &QCPAxis::selectedLabelFont, &QCPAxis::setSelectedLabelFont);
                }
            }
            // The legend, its entries and any title, wherever the layout
            // holds them.
            for (QCPLayoutElement* element : plot->plotLayout()->elements(true)) {
                if (auto* legend = qobject_cast<QCPLegend*>(element)) {
                    unshape(legend, &QCPLegend::font, &QCPLegend::setFont);
                    unshape(legend, &QCPLegend::selectedFont, &QCPLegend::setSelectedFont);
                } else if (auto* entry = qobject_cast<QCPAbstractLegendItem*>(element)) {
                    unshape(entry, &QCPAbstractLegendItem::font, &QCPAbstractLegendItem::setFont);
                    unshape(entry, &QCPAbstractLegendItem::selectedFont, &QCPAbstractLegendItem::setSelectedFont);
                } else if (auto* title = qobject_cast<QCPTextElement*>(element)) {
                    unshape(title, &QCPTextElement::font, &QCPTextElement::setFont);
                    unshape(title, &QCPTextElement::selectedFont, &QCPTextElement::setSelectedFont);
                }
            }
            for (int i = 0; i < plot->itemCount(); ++i) {
                if (auto* text = qobject_cast<QCPItemText*>(plot->item(i))) {
                    unshape(text, &QCPItemText::font, &QCPItemText::setFont);
                    unshape(text, &QCPItemText::selectedFont, &QCPItemText::setSelectedFont);
                }
            }
        }
    }
    ~UnshapedText()
    {
        for (auto restore = m_restore.rbegin(); restore != m_restore.rend(); ++restore)
            (*restore)();
    }
    UnshapedText(const UnshapedText&) = delete;
    UnshapedText& operator=(const UnshapedText&) = delete;

private:
    template <typename Element>
    void unshape(Element* element, QFont (Element::*get)() const, void (Element::*set)(const QFont&))
    {
        const QFont font = (element->*get)();
        if (font.styleStrategy() & QFont::PreferNoShaping)
            return;
        QFont unshaped = font;
        unshaped.setStyleStrategy(static_cast<QFont::StyleStrategy>(font.styleStrategy() | QFont::PreferNoShaping));
        (element->*set)(unshaped);
        m_restore.push_back([element, set, font] { (element->*set)(font); });
    }

    std::vector<std::function<void()>> m_restore;
};

// Paints each plot below the one before it.
void PaintStacked(const QList<QCustomPlot*>& plots, QPaintDevice& device, double scale = 1)
{
    const UnshapedText unshaped(plots);
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
