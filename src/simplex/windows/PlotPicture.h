#pragma once

// Saves plots, stacked one above the other at their size on screen, as one
// picture: SVG or PDF by the file name's extension, PNG for any other. The
// picture's text has no ligatures, so a reader finds every word in it.

#include <QList>
#include <QString>

class QCustomPlot;

namespace zeltomir::simplex {

// The picture replaces the file only once it is whole. Empty on success,
// otherwise why it failed, as a sentence.
QString SavePlotPicture(const QList<QCustomPlot*>& plots, const QString& path);

} // namespace zeltomir::simplex
