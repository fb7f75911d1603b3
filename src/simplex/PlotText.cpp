#include "simplex/PlotText.h"

#include "simplex/EngineSupport.h"
#include "simplex/SimplexTerms.h"
#include "simplex/VertexView.h"

#include "core/NumberText.h"
#include "core/RecordChoices.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

namespace zeltomir::simplex {

namespace {

// A level as the user reads it: at the factor's decimals, and "0" where
// those show nothing at all (a level rounding to zero without decimals).
QString ShownLevel(double natural, double decimals, const QLocale& locale)
{
    const QString text = core::FormatByDigits(natural, decimals, locale);
    return text.isEmpty() || text == QLatin1String("-") ? QStringLiteral("0") : text;
}

QString Counted(std::size_t count, const char* one, const char* many = nullptr)
{
    const QString noun = QLatin1String(one);
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? noun : many ? QLatin1String(many) : noun + u's');
}

QString RuleCaption(const QString& rule)
{
    if (rule == AdviceRule::VertexKept)
        return QStringLiteral("The simplex circles its best vertex");
    if (rule == AdviceRule::BelowResolution)
        return QStringLiteral("Simplex below the resolution");
    return QStringLiteral("No improvement in 2(k+1) trials");
}

} // namespace

QString VertexTypeCaption(int typeCode)
{
    const std::optional<core::VertexType> type = core::TypeOfCode(typeCode);
    return type ? core::TypeCaption(*type) : QStringLiteral("Unknown type");
}

QString VertexTip(const core::OptimizationProblem& problem, const std::vector<int>& vertices, const QLocale& locale)
{
    const int k = problem.NumFactors;
    const int trial = problem.NumVertices + 1;
    std::vector<int> known;
    std::copy_if(vertices.begin(), vertices.end(), std::back_inserter(known),
                 [trial](int v) { return v >= 1 && v <= trial; });
    QStringList blocks;
    for (std::size_t n = 0; n < std::min<std::size_t>(known.size(), TipVertices); ++n) {
        const int v = known[n];
        QStringList lines;
        if (v == trial) {
            lines << QStringLiteral("Vertex %1 (trial on show): %2")
                         .arg(v)
                         .arg(VertexTypeCaption(core::TypeCode(problem.CurrentVertexType)));
        } else {
            const double code = Vertex(problem, v).typeCode();
            lines << QStringLiteral("Vertex %1: %2")
                         .arg(v)
                         .arg(VertexTypeCaption(std::isfinite(code) ? static_cast<int>(code) : -1));
        }
        for (int i = 1; i <= std::min(k, TipFactors); ++i) {
            const core::Factor factor = FactorOf(problem, i);
            const double coded = v == trial ? SlotOf(problem.TrialPoint, i) : Vertex(problem, v).level(i);
            const double natural = NaturalLevel(factor, coded);
            lines << QStringLiteral("%1 = %2").arg(factor.FactorName,
                                                   ShownLevel(natural, factor.SignificantDigits, locale));
        }
        if (k > TipFactors)
            lines << QStringLiteral("and %1").arg(Counted(k - TipFactors, "more factor"));
        if (v != trial) {
            const Vertex vertex(problem, v);
            lines << QStringLiteral("Result = %1")
                         .arg(vertex.failed() ? QStringLiteral("failed")
                                              : core::ShortestSingleForm(vertex.result(), locale));
        }
        blocks << lines.join(QLatin1Char('\n'));
    }
    if (known.size() > TipVertices)
        blocks << QStringLiteral("and %1 here").arg(Counted(known.size() - TipVertices, "more vertex", "more vertices"));
    return blocks.join(QStringLiteral("\n\n"));
}

QString ProgressPanelText(const core::OptimizationProblem& problem, const RunProgress& progress, const QLocale& locale)
{
    if (progress.vertexCount == 0)
        return QStringLiteral("<p>The plot follows the run once the initial simplex is entered.</p>");
    const auto level = [&](int factor, double value) {
        return ShownLevel(value, FactorOf(problem, factor).SignificantDigits, locale).toHtmlEscaped();
    };
    QString html = QStringLiteral("<p><b>Vertices:</b> %1</p>").arg(progress.vertexCount);
    if (progress.best) {
        QStringList levels;
        for (std::size_t i = 0; i < progress.best->levels.size(); ++i) {
            const int factor = static_cast<int>(i) + 1;
            levels << QStringLiteral("%1 = %2").arg(FactorOf(problem, factor).FactorName.toHtmlEscaped(),
                                                    level(factor, progress.best->levels[i]));
        }
        // Judged by several responses, the best is the highest D, shown
        // with the values that made it.
        QStringList responses;
        for (std::size_t i = 0; i < progress.best->responses.size() && i < problem.Responses.size(); ++i)
            responses << QStringLiteral("%1 = %2").arg(problem.Responses[i].name.toHtmlEscaped(),
                                                       core::ShortestSingleForm(progress.best->responses[i], locale)
                                                           .toHtmlEscaped());
        html += QStringLiteral("<p><b>%1</b> %2 (vertex %3)<br>%4</p>")
                    .arg(problem.Responses.empty() ? QStringLiteral("Best result:") : QStringLiteral("Best D:"))
                    .arg(core::ShortestSingleForm(progress.best->result, locale).toHtmlEscaped())
                    .arg(progress.best->vertex)
                    .arg((responses + levels).join(QStringLiteral("<br>")));
    }
    if (!progress.extents.empty()) {
        html += QStringLiteral("<p><b>Size of the simplex</b> (resolution)");
        for (std::size_t i = 0; i < progress.extents.size(); ++i) {
            const FactorExtent& extent = progress.extents[i];
            const int factor = static_cast<int>(i) + 1;
            html += QStringLiteral("<br>%1: %2 (%3)")
                        .arg(extent.name.toHtmlEscaped(), level(factor, extent.extent), level(factor, extent.resolution));
        }
        html += QStringLiteral("</p>");
    }
    html += QStringLiteral("<p><b>Advice</b>");
    if (progress.advice.empty())
        html += QStringLiteral("<br>None at this step.");
    for (const Advice& advice : progress.advice)
        html += QStringLiteral("<br><i>%1:</i> %2").arg(RuleCaption(advice.rule), advice.text.toHtmlEscaped());
    return html + QStringLiteral("</p>");
}

} // namespace zeltomir::simplex
