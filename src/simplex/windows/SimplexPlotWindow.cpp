#include "simplex/windows/SimplexPlotWindow.h"

#include "simplex/PlotContent.h"
#include "simplex/RunProgress.h"
#include "simplex/VertexCsv.h"
#include "simplex/windows/PlotDrawing.h"
#include "simplex/windows/PlotPicture.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/WindowSupport.h"

#include "core/NumberText.h"
#include "core/ProblemRecord.h"
#include "shell/DialogService.h"

#include <qcustomplot.h>

#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zeltomir::simplex {

namespace {

QCustomPlot* MakePlot(const QString& name, QWidget* parent)
{
    auto* plot = new QCustomPlot(parent);
    plot->setObjectName(name);
    plot->setMinimumHeight(160);
    plot->legend->setFont(plot->font());
    plot->legend->setBrush(QColor(255, 255, 255, 210)); // the points behind it stay visible
    plot->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignLeft);
    // Faster redraws for long runs; the plots are read, not admired.
    plot->setNotAntialiasedElements(QCP::aeAll);
    plot->setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
    return plot;
}

QString Number(double value)
{
    return core::GeneralForm(value, core::Precision::Single).toHtmlEscaped();
}

QString RuleCaption(const QString& rule)
{
    if (rule == AdviceRule::VertexKept)
        return QStringLiteral("A vertex kept in k+1 simplexes");
    if (rule == AdviceRule::BelowResolution)
        return QStringLiteral("Simplex below the resolution");
    return QStringLiteral("No improvement in 2(k+1) trials");
}

// The side panel: the run's progress and the advice, as rich text.
QString ProgressText(const core::OptimizationProblem& problem, const RunProgress& progress)
{
    if (progress.vertexCount == 0)
        return QStringLiteral("<p>The plot follows the run once the initial simplex is entered.</p>");
    QString html = QStringLiteral("<p><b>Vertices:</b> %1</p>").arg(progress.vertexCount);
    if (progress.best) {
        QStringList levels;
        for (std::size_t i = 0; i < progress.best->levels.size(); ++i) {
            const core::Factor& factor = problem.Factors.at(i + 1);
            levels << QStringLiteral("%1 = %2").arg(factor.FactorName.toHtmlEscaped(),
                                                    core::FormatByDigits(progress.best->levels[i],
                                                                         factor.SignificantDigits).toHtmlEscaped());
        }
        html += QStringLiteral("<p><b>Best result:</b> %1 (vertex %2)<br>%3</p>")
                    .arg(Number(progress.best->result))
                    .arg(progress.best->vertex)
                    .arg(levels.join(QStringLiteral("<br>")));
    }
    if (!progress.extents.empty()) {
        html += QStringLiteral("<p><b>Size of the simplex</b> (resolution)");
        for (const FactorExtent& extent : progress.extents)
            html += QStringLiteral("<br>%1: %2 (%3)")
                        .arg(extent.name.toHtmlEscaped(), Number(extent.extent), Number(extent.resolution));
        html += QStringLiteral("</p>");
    }
    html += QStringLiteral("<p><b>Advice</b>");
    if (progress.advice.empty())
        html += QStringLiteral("<br>None at this step.");
    for (const Advice& advice : progress.advice)
        html += QStringLiteral("<br><i>%1:</i> %2").arg(RuleCaption(advice.rule), advice.text.toHtmlEscaped());
    return html + QStringLiteral("</p>");
}

} // namespace

SimplexPlotWindow::SimplexPlotWindow(SimplexWindows& windows, QWidget* parent)
    : SimplexChildWindow(windows, QStringLiteral("frmSimplexPlot"), QStringLiteral("Simplex Plot"), parent)
{
    m_response = MakePlot(QStringLiteral("plotResponse"), this);
    m_path = MakePlot(QStringLiteral("plotPath"), this);
    m_xFactor = new QComboBox(this);
    m_xFactor->setObjectName(QStringLiteral("cboFactorX"));
    m_yFactor = new QComboBox(this);
    m_yFactor->setObjectName(QStringLiteral("cboFactorY"));
    auto* xLabel = new QLabel(QStringLiteral("Across:"), this);
    xLabel->setBuddy(m_xFactor);
    auto* yLabel = new QLabel(QStringLiteral("Up:"), this);
    yLabel->setBuddy(m_yFactor);

    // A scrolling text rather than a label: with many factors the lists are
    // long, and a label would measure all of it at every layout.
    m_progress = new QTextBrowser(this);
    m_progress->setObjectName(QStringLiteral("txtProgress"));
    m_progress->setFrameShape(QFrame::NoFrame);
    m_progress->viewport()->setAutoFillBackground(false);
    m_progress->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    m_savePicture = MakeButton(QStringLiteral("cmdSavePicture"), QStringLiteral("Save Picture..."), this);
    m_exportVertices = MakeButton(QStringLiteral("cmdExportVertices"), QStringLiteral("Export Vertices..."), this);

    auto* factors = new QHBoxLayout;
    factors->addWidget(xLabel);
    factors->addWidget(m_xFactor, 1);
    factors->addWidget(yLabel);
    factors->addWidget(m_yFactor, 1);
    auto* plots = new QVBoxLayout;
    plots->addWidget(m_response, 1);
    plots->addLayout(factors);
    plots->addWidget(m_path, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(m_progress, 1);
    side->addWidget(m_savePicture);
    side->addWidget(m_exportVertices);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(plots, 3);
    layout->addLayout(side, 1);

    connect(m_xFactor, &QComboBox::currentIndexChanged, this, [this] { drawPath(); });
    connect(m_yFactor, &QComboBox::currentIndexChanged, this, [this] { drawPath(); });
    connect(m_savePicture, &QPushButton::clicked, this, &SimplexPlotWindow::savePicture);
    connect(m_exportVertices, &QPushButton::clicked, this, &SimplexPlotWindow::exportVertices);
    // Drawn by the activation that opening brings, not here as well.
    fillFactorBoxes();
}

void SimplexPlotWindow::activated()
{
    context().runTime.ActiveWindow = QStringLiteral("frmSimplexPlot");
    UpdateCommandAvailability(context());
    refresh();
}

void SimplexPlotWindow::refresh()
{
    fillFactorBoxes();
    DrawResponsePlot(*m_response, BuildResponsePlot(context().problem));
    drawPath();
    showProgress();
}

// The boxes list the factors of the record; a choice survives a refresh
// while its factor exists, and the first two factors are the default.
void SimplexPlotWindow::fillFactorBoxes()
{
    const core::OptimizationProblem& problem = context().problem;
    QStringList names;
    for (int i = 1; i <= problem.NumFactors && i < static_cast<int>(problem.Factors.size()); ++i)
        names << problem.Factors[static_cast<std::size_t>(i)].FactorName;
    QStringList shown;
    for (int i = 0; i < m_xFactor->count(); ++i)
        shown << m_xFactor->itemText(i);
    if (shown == names)
        return;
    const int x = m_xFactor->currentIndex();
    const int y = m_yFactor->currentIndex();
    const QSignalBlocker blockX(m_xFactor);
    const QSignalBlocker blockY(m_yFactor);
    m_xFactor->clear();
    m_yFactor->clear();
    m_xFactor->addItems(names);
    m_yFactor->addItems(names);
    m_xFactor->setCurrentIndex(x >= 0 && x < names.size() ? x : 0);
    m_yFactor->setCurrentIndex(y >= 0 && y < names.size() ? y : std::min(1, static_cast<int>(names.size()) - 1));
}

void SimplexPlotWindow::drawPath()
{
    DrawPathPlot(*m_path,
                 BuildPathPlot(context().problem, m_xFactor->currentIndex() + 1, m_yFactor->currentIndex() + 1));
}

void SimplexPlotWindow::showProgress()
{
    m_progress->setHtml(ProgressText(context().problem, AssessRun(context().problem)));
}

void SimplexPlotWindow::savePicture()
{
    const std::optional<QString> path = context().dialogs.saveFileName(
        {QStringLiteral("PNG Image (*.png)"), QStringLiteral("SVG Image (*.svg)"), QStringLiteral("PDF Document (*.pdf)")},
        0);
    if (!path)
        return;
    if (const QString failure = SavePlotPicture({m_response, m_path}, *path); !failure.isEmpty())
        reportSaveFailure(*path, failure);
}

void SimplexPlotWindow::exportVertices()
{
    const std::optional<QString> path =
        context().dialogs.saveFileName({QStringLiteral("CSV Files (*.csv)"), QStringLiteral("All Files (*)")}, 0);
    if (!path)
        return;
    if (const core::FileStatus written = WriteVertexCsv(context().problem, *path); !written)
        reportSaveFailure(*path, written.error);
}

void SimplexPlotWindow::reportSaveFailure(const QString& path, const QString& why)
{
    context().dialogs.message(QStringLiteral("Notice"),
                              QStringLiteral("The file %1 could not be saved: %2").arg(QDir::toNativeSeparators(path), why),
                              core::MessageIcon::Critical);
}

} // namespace zeltomir::simplex
