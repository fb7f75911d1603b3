#pragma once

// The texts of the simplex plot window, from the record alone: the names of
// the vertex types in its legend, the tool tips of its markers and the
// progress panel beside the plots. Numbers appear as the user reads them
// elsewhere: results as typed, levels at their factor's decimals.

#include "simplex/RunProgress.h"

#include "core/ProblemRecord.h"

#include <QLocale>
#include <QString>

#include <cstddef>
#include <vector>

namespace zeltomir::simplex {

// How a vertex type (its code in the vertex history) is named in the legend
// and in tool tips; the two contractions say on which side they lie.
QString VertexTypeCaption(int typeCode);

// The tool tip of the markers under the mouse: for each vertex (1..n, or n+1
// for the trial on show) its number and type, its levels at the factors'
// decimals and its result as typed. Many factors or vertices are cut short.
QString VertexTip(const core::OptimizationProblem& problem, const std::vector<int>& vertices,
                  const QLocale& locale = QLocale());
inline constexpr int TipFactors = 10;
inline constexpr std::size_t TipVertices = 4;

// The side panel as rich text: the vertex count, the best result as typed
// with its levels, the size of the simplex beside the resolution (both at
// each factor's decimals), and the advice.
QString ProgressPanelText(const core::OptimizationProblem& problem, const RunProgress& progress,
                          const QLocale& locale = QLocale());

} // namespace zeltomir::simplex
