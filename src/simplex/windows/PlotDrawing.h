#pragma once

// Draws the plot content of the engine into QCustomPlot widgets: everything
// about markers, pens and axes, nothing about what the points are.

#include "simplex/PlotContent.h"

class QCustomPlot;

namespace zeltomir::simplex {

// The response of every vertex against its number: one marker shape per
// vertex type, filled for the vertices of the current simplex and hollow for
// the others, the best result so far as a step line, the target as a
// horizontal line.
void DrawResponsePlot(QCustomPlot& plot, const ResponsePlot& content);

// The path of the simplex over two factors, the axes spanning the factors'
// limits: every vertex, the current simplex's outline, the earlier ones
// fainter, the centres joined in order, and the trial on show.
void DrawPathPlot(QCustomPlot& plot, const PathPlot& content);

} // namespace zeltomir::simplex
