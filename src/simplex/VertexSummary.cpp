#include "simplex/VertexSummary.h"

#include "simplex/EngineSupport.h"

#include "core/LevelScaling.h"
#include "core/NumberText.h"

namespace zeltomir::simplex {

std::optional<QString> TypeCellText(double typeCode)
{
    if (typeCode == 0) return QStringLiteral("Initial");
    if (typeCode == 1) return QStringLiteral("Reflection");
    if (typeCode == 2) return QStringLiteral("Extension");
    if (typeCode == 3) return QStringLiteral("Cr");
    if (typeCode == 4) return QStringLiteral("Cw");
    return std::nullopt;
}

VertexSummaryContent BuildVertexSummary(const core::OptimizationProblem& problem, const QLocale& locale)
{
    const int k = problem.NumFactors;
    const core::Matrix& history = problem.VertexHistory;
    std::vector<core::Factor> factors;
    VertexSummaryContent content;
    content.headers.append(QStringLiteral("Vertex"));
    for (int i = 1; i <= k; ++i) {
        factors.push_back(FactorOf(problem, i));
        content.headers.append(factors.back().FactorName);
    }
    content.headers << QStringLiteral("Result") << QStringLiteral("Type") << QStringLiteral("Times Retained");

    const auto number = [&locale](double value) { return core::GeneralForm(value, core::Precision::Double, locale); };
    content.rows.reserve(static_cast<std::size_t>(std::max(0, static_cast<int>(problem.NumVertices))));
    for (int v = 1; v <= problem.NumVertices; ++v) {
        VertexSummaryRow row;
        row.vertex = QString::number(v);
        row.levels.reserve(k);
        for (int i = 1; i <= k; ++i) {
            const core::Factor& factor = factors[static_cast<std::size_t>(i - 1)];
            const double natural = core::ToNatural(factor.LowerLimit, factor.UpperLimit, history.value(i, v));
            row.levels.append(core::FormatByDigits(natural, factor.SignificantDigits, locale));
        }
        row.result = number(history.value(k + 1, v));
        row.type = TypeCellText(history.value(k + 2, v));
        row.timesRetained = number(history.value(k + 3, v));
        content.rows.push_back(std::move(row));
    }
    return content;
}

} // namespace zeltomir::simplex
