#pragma once

// Draws the plot content of the engine into QCustomPlot widgets: everything
// about markers, pens and axes, nothing about what the points are.

#include "simplex/PlotContent.h"
#include "simplex/SimulationReveal.h"

#include <QList>
#include <QPointF>

#include <cstddef>
#include <vector>

class QCustomPlot;

namespace zeltomir::simplex {

// Moves the legend out of the plot area to its right, where it hides no
// point; done once, when the plot is made.
void PlaceLegendBeside(QCustomPlot& plot);

// The legends of plots stacked one above the other get one width, so that
// their plot areas end at the same place.
void AlignLegends(const QList<QCustomPlot*>& plots);

// The response of every vertex against its number: one marker shape per
// vertex type, filled for the vertices of the current simplex and hollow for
// the others, a cross along the lower edge for each failed trial, the best
// result so far as a step line, the target as a horizontal line.
void DrawResponsePlot(QCustomPlot& plot, const ResponsePlot& content);

// The path of the simplex over two factors, on the axes the content gives:
// every vertex, the current simplex's outline, the earlier ones fainter, the
// centres joined in order, and the trial on show.
void DrawPathPlot(QCustomPlot& plot, const PathPlot& content);

// The true surface of a simulated process as a colour map behind what the
// path plot shows (pale where the response is low, warm where it is high),
// and the true optimum marked on it. Drawn after DrawPathPlot, which clears
// it away again.
void DrawTrueSurface(QCustomPlot& plot, const TrueSurface& surface);

// The markers (their indices in `points`, plot coordinates) under a pixel of
// the plot: the nearest one within reach of the pointer and any drawn on the
// same spot.
std::vector<std::size_t> MarkersAt(const QCustomPlot& plot, const std::vector<QPointF>& points, QPointF pixel);

} // namespace zeltomir::simplex
