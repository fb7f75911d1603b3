#include "shell/GridPrinter.h"

#include "shell/GridModel.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace zeltomir::shell {

namespace {

constexpr int FallbackDpi = 96;
// Space between a cell's text and its lines, in source pixels.
constexpr int CellPadding = 3;

const QColor HeaderShade(232, 232, 232);
const QColor LineColor(128, 128, 128);

} // namespace

GridPrinter::GridPrinter(const GridModel& model, const QFont& font, std::vector<int> colWidths, int sourceDpi)
    : m_model(model), m_font(font), m_colWidths(std::move(colWidths)),
      m_sourceDpi(sourceDpi > 0 ? sourceDpi : FallbackDpi)
{
}

GridPrinter::Metrics GridPrinter::metrics(const QPaintDevice& device) const
{
    Metrics m;
    const double scale = static_cast<double>(device.logicalDpiX()) / m_sourceDpi;
    auto scaled = [scale](int pixels) { return std::max(1, static_cast<int>(std::lround(pixels * scale))); };

    m.font = m_font;
    // A point size follows the device by itself; a pixel size must be scaled.
    if (m.font.pixelSize() > 0)
        m.font.setPixelSize(scaled(m.font.pixelSize()));
    const QFontMetrics fm(m.font, &device);
    m.area = QRect(0, 0, device.width(), device.height());
    m.padding = scaled(CellPadding);
    m.rowHeight = fm.height() + 2 * m.padding;
    const QString widestNumber = QString::number(std::max(1, m_model.maxRows()));
    m.rowNumberWidth = fm.horizontalAdvance(widestNumber) + 2 * m.padding;
    m.widths.reserve(static_cast<std::size_t>(m_model.maxCols()));
    for (int c = 1; c <= m_model.maxCols(); ++c) {
        const auto i = static_cast<std::size_t>(c - 1);
        m.widths.push_back(i < m_colWidths.size() ? scaled(std::max(0, m_colWidths[i])) : scaled(64));
    }
    return m;
}

std::vector<GridPrinter::Page> GridPrinter::layout(const QPaintDevice& device) const
{
    return layout(metrics(device));
}

std::vector<GridPrinter::Page> GridPrinter::layout(const Metrics& m) const
{
    // Column sets: as many columns as fit beside the row numbers, at least one.
    std::vector<std::pair<int, int>> colBands;
    const int across = m.area.width() - m.rowNumberWidth;
    for (int c = 1; c <= m_model.maxCols();) {
        int last = c;
        int used = m.widths[static_cast<std::size_t>(c - 1)];
        while (last < m_model.maxCols() && used + m.widths[static_cast<std::size_t>(last)] <= across) {
            used += m.widths[static_cast<std::size_t>(last)];
            ++last;
        }
        colBands.emplace_back(c, last);
        c = last + 1;
    }
    if (colBands.empty())
        colBands.emplace_back(1, 0);

    const int rowsPerPage = std::max(1, (m.area.height() - m.rowHeight) / std::max(1, m.rowHeight));
    std::vector<Page> pages;
    for (const auto& [firstCol, lastCol] : colBands) {
        if (m_model.maxRows() == 0) {
            pages.push_back({firstCol, lastCol, 1, 0});
            continue;
        }
        for (int r = 1; r <= m_model.maxRows(); r += rowsPerPage)
            pages.push_back({firstCol, lastCol, r, std::min(m_model.maxRows(), r + rowsPerPage - 1)});
    }
    return pages;
}

bool GridPrinter::print(QPagedPaintDevice& device)
{
    m_pagesPrinted = 0;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const Metrics m = metrics(device);
    const std::vector<Page> pages = layout(m);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        paintPage(painter, m, pages[i]);
        ++m_pagesPrinted;
    }
    return painter.end();
}

void GridPrinter::paintPage(QPainter& painter, const Metrics& m, const Page& page) const
{
    painter.setFont(m.font);
    const int left = m.area.left();
    const int top = m.area.top();
    const int dataRows = std::max(0, page.lastRow - page.firstRow + 1);
    const int height = m.rowHeight * (dataRows + 1);
    int width = m.rowNumberWidth;
    for (int c = page.firstCol; c <= page.lastCol; ++c)
        width += m.widths[static_cast<std::size_t>(c - 1)];

    painter.fillRect(QRect(left, top, width, m.rowHeight), HeaderShade);
    painter.fillRect(QRect(left, top, m.rowNumberWidth, height), HeaderShade);
    painter.setPen(QPen(LineColor, 0));
    painter.drawRect(QRect(left, top, width, height));

    auto cellRect = [&](int x, int y, int w) {
        return QRect(x + m.padding, y, std::max(0, w - 2 * m.padding), m.rowHeight);
    };
    const int textFlags = Qt::AlignVCenter | Qt::TextSingleLine;
    for (int i = 0; i <= dataRows; ++i) {
        const int y = top + i * m.rowHeight;
        painter.setPen(QPen(LineColor, 0));
        painter.drawLine(left, y, left + width, y);
        painter.setPen(Qt::black);
        if (i > 0)
            painter.drawText(cellRect(left, y, m.rowNumberWidth), textFlags | Qt::AlignHCenter,
                             QString::number(page.firstRow + i - 1));
        int x = left + m.rowNumberWidth;
        for (int c = page.firstCol; c <= page.lastCol; ++c) {
            const int w = m.widths[static_cast<std::size_t>(c - 1)];
            const int row = i == 0 ? 0 : page.firstRow + i - 1;
            const int align = i == 0 ? Qt::AlignHCenter : Qt::AlignLeft;
            painter.drawText(cellRect(x, y, w), textFlags | align, m_model.cell(c, row));
            x += w;
        }
    }
    painter.setPen(QPen(LineColor, 0));
    int x = left + m.rowNumberWidth;
    painter.drawLine(x, top, x, top + height);
    for (int c = page.firstCol; c <= page.lastCol; ++c) {
        x += m.widths[static_cast<std::size_t>(c - 1)];
        painter.drawLine(x, top, x, top + height);
    }
}

} // namespace zeltomir::shell
