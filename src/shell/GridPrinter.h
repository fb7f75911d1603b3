#pragma once

// Lays a grid out on pages and paints them on any paged device (a printer,
// a PDF writer). Every page repeats the column headers on top and the row
// numbers at the left. Rows that do not fit go onto following pages; columns
// that do not fit across go onto further sets of pages, printed after all
// rows of the columns before them (down, then across). A column wider than a
// page gets a page of its own and is cut at the edge.

#include <QFont>
#include <QRect>

#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

namespace zeltomir::shell {

class GridModel;

class GridPrinter {
public:
    // Grid rows and columns of one page, counted from 1. A page of a grid
    // without rows has lastRow < firstRow and shows the headers only.
    struct Page {
        int firstCol = 1;
        int lastCol = 0;
        int firstRow = 1;
        int lastRow = 0;

        friend bool operator==(const Page&, const Page&) = default;
    };

    // colWidths[c - 1] is the width of column c in pixels of a screen with
    // sourceDpi dots per inch; on paper each column keeps its width in inches.
    GridPrinter(const GridModel& model, const QFont& font, std::vector<int> colWidths, int sourceDpi);

    std::vector<Page> layout(const QPaintDevice& device) const;

    // False when painting cannot start on the device (painter.begin fails),
    // a new page cannot be started or the output cannot be finished.
    bool print(QPagedPaintDevice& device);
    // Pages painted by the last print, also when it failed on the way.
    int pagesPrinted() const { return m_pagesPrinted; }

private:
    struct Metrics {
        QFont font;
        QRect area;
        int rowHeight = 0;
        int padding = 0;
        int rowNumberWidth = 0;
        std::vector<int> widths; // device pixels, per column
    };

    Metrics metrics(const QPaintDevice& device) const;
    std::vector<Page> layout(const Metrics& m) const;
    void paintPage(QPainter& painter, const Metrics& m, const Page& page) const;

    const GridModel& m_model;
    QFont m_font;
    std::vector<int> m_colWidths;
    int m_sourceDpi;
    int m_pagesPrinted = 0;
};

} // namespace zeltomir::shell
