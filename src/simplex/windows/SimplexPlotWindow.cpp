#include "simplex/windows/SimplexPlotWindow.h"

#include "simplex/PlotContent.h"
#include "simplex/PlotText.h"
#include "simplex/RunProgress.h"
#include "simplex/SimulatedRun.h"
#include "simplex/SimulationReveal.h"
#include "simplex/VertexCsv.h"
#include "simplex/VertexWorkbook.h"
#include "simplex/windows/PlotDrawing.h"
#include "simplex/windows/PlotPicture.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/WindowSupport.h"

#include "core/ProblemRecord.h"
#include "shell/DialogService.h"

#include <qcustomplot.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace zeltomir::simplex {

namespace {

QCustomPlot* MakePlot(const QString& name, QWidget* parent)
{
    auto* plot = new QCustomPlot(parent);
    plot->setObjectName(name);
    plot->setMinimumHeight(160);
    plot->legend->setFont(plot->font());
    PlaceLegendBeside(*plot);
    // Faster redraws for long runs; the plots are read, not admired.
    plot->setNotAntialiasedElements(QCP::aeAll);
    plot->setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
    return plot;
}

} // namespace

SimplexPlotWindow::SimplexPlotWindow(SimplexWindows& windows, QWidget* parent)
    : SimplexChildWindow(windows, QStringLiteral("frmSimplexPlot"), QStringLiteral("Simplex Plot"), parent)
{
    m_response = MakePlot(QStringLiteral("plotResponse"), this);
    m_path = MakePlot(QStringLiteral("plotPath"), this);
    m_plotted = new QComboBox(this);
    m_plotted->setObjectName(QStringLiteral("cboPlotted"));
    m_plottedLabel = new QLabel(QStringLiteral("Plot:"), this);
    m_plottedLabel->setBuddy(m_plotted);
    m_xFactor = new QComboBox(this);
    m_xFactor->setObjectName(QStringLiteral("cboFactorX"));
    m_yFactor = new QComboBox(this);
    m_yFactor->setObjectName(QStringLiteral("cboFactorY"));
    auto* xLabel = new QLabel(QStringLiteral("Across:"), this);
    xLabel->setBuddy(m_xFactor);
    auto* yLabel = new QLabel(QStringLiteral("Up:"), this);
    yLabel->setBuddy(m_yFactor);
    m_wholeRange = new QCheckBox(QStringLiteral("Show the whole range"), this);
    m_wholeRange->setObjectName(QStringLiteral("chkWholeRange"));

    // A scrolling text rather than a label: with many factors the lists are
    // long, and a label would measure all of it at every layout.
    m_progress = new QTextBrowser(this);
    m_progress->setObjectName(QStringLiteral("txtProgress"));
    m_progress->setFrameShape(QFrame::NoFrame);
    m_progress->viewport()->setAutoFillBackground(false);
    m_progress->setMinimumWidth(fontMetrics().averageCharWidth() * 30);
    m_savePicture = MakeButton(QStringLiteral("cmdSavePicture"), QStringLiteral("Save Picture..."), this);
    m_exportVertices = MakeButton(QStringLiteral("cmdExportVertices"), QStringLiteral("Export Vertices..."), this);
    m_showTrue = MakeButton(QStringLiteral("cmdShowTrueProcess"), QStringLiteral("Show the True Process"), this);
    m_showTrue->setCheckable(true);
    m_trueText = new QTextBrowser(this);
    m_trueText->setObjectName(QStringLiteral("txtTrueProcess"));
    m_trueText->setFrameShape(QFrame::NoFrame);
    m_trueText->viewport()->setAutoFillBackground(false);
    m_trueText->hide();

    auto* factors = new QHBoxLayout;
    factors->addWidget(xLabel);
    factors->addWidget(m_xFactor, 1);
    factors->addWidget(yLabel);
    factors->addWidget(m_yFactor, 1);
    factors->addWidget(m_wholeRange);
    auto* plotted = new QHBoxLayout;
    plotted->addWidget(m_plottedLabel);
    plotted->addWidget(m_plotted);
    plotted->addStretch(1);
    auto* plots = new QVBoxLayout;
    plots->addLayout(plotted);
    plots->addWidget(m_response, 1);
    plots->addLayout(factors);
    plots->addWidget(m_path, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(m_progress, 1);
    side->addWidget(m_trueText, 1);
    side->addWidget(m_showTrue);
    side->addWidget(m_savePicture);
    side->addWidget(m_exportVertices);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(plots, 3);
    layout->addLayout(side, 1);

    connect(m_plotted, &QComboBox::currentIndexChanged, this, [this] {
        drawResponse();
        AlignLegends({m_response, m_path});
    });
    connect(m_xFactor, &QComboBox::currentIndexChanged, this, &SimplexPlotWindow::factorChosen);
    connect(m_yFactor, &QComboBox::currentIndexChanged, this, &SimplexPlotWindow::factorChosen);
    connect(m_wholeRange, &QCheckBox::toggled, this, &SimplexPlotWindow::drawPath);
    m_response->installEventFilter(this);
    m_path->installEventFilter(this);
    connect(m_savePicture, &QPushButton::clicked, this, &SimplexPlotWindow::savePicture);
    connect(m_exportVertices, &QPushButton::clicked, this, &SimplexPlotWindow::exportVertices);
    connect(m_showTrue, &QPushButton::toggled, this, &SimplexPlotWindow::drawPath);
    // Drawn by the activation that opening brings, not here as well.
    fillPlottedBox();
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
    fillPlottedBox();
    fillFactorBoxes();
    drawResponse();
    drawPath();
    showProgress();
}

// "D" and the responses, shown only while responses are defined; the
// choice survives a refresh while the responses keep their names.
void SimplexPlotWindow::fillPlottedBox()
{
    const core::OptimizationProblem& problem = context().problem;
    QStringList items;
    if (!problem.Responses.empty()) {
        items << QStringLiteral("D");
        for (const core::ResponseDefinition& response : problem.Responses)
            items << response.name;
    }
    m_plotted->setVisible(!items.isEmpty());
    m_plottedLabel->setVisible(!items.isEmpty());
    QStringList shown;
    for (int i = 0; i < m_plotted->count(); ++i)
        shown << m_plotted->itemText(i);
    if (shown == items)
        return;
    const QSignalBlocker block(m_plotted);
    m_plotted->clear();
    m_plotted->addItems(items);
}

void SimplexPlotWindow::drawResponse()
{
    m_responseContent = BuildResponsePlot(context().problem, std::max(0, m_plotted->currentIndex()));
    DrawResponsePlot(*m_response, m_responseContent);
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
    {
        const QSignalBlocker blockX(m_xFactor);
        const QSignalBlocker blockY(m_yFactor);
        m_xFactor->clear();
        m_yFactor->clear();
        m_xFactor->addItems(names);
        m_yFactor->addItems(names);
    }
    showFactors(ChoosePathFactors(static_cast<int>(names.size()), m_factors, m_factors));
}

// A box the user changed keeps the choice; the other one gives way when
// both would name the same factor.
void SimplexPlotWindow::factorChosen()
{
    showFactors(ChoosePathFactors(m_xFactor->count(), m_factors,
                                  {m_xFactor->currentIndex() + 1, m_yFactor->currentIndex() + 1}));
    drawPath();
}

void SimplexPlotWindow::showFactors(PathFactors factors)
{
    const QSignalBlocker blockX(m_xFactor);
    const QSignalBlocker blockY(m_yFactor);
    m_xFactor->setCurrentIndex(factors.across - 1);
    m_yFactor->setCurrentIndex(factors.up - 1);
    m_factors = factors;
}

void SimplexPlotWindow::drawPath()
{
    m_pathContent = BuildPathPlot(context().problem, m_factors.across, m_factors.up,
                                  m_wholeRange->isChecked() ? PathRange::Whole : PathRange::Visited);
    DrawPathPlot(*m_path, m_pathContent);
    showTrueProcess();
    AlignLegends({m_response, m_path});
}

// The summary takes the place of the progress while the truth is on show.
void SimplexPlotWindow::showTrueProcess()
{
    const SimulatedProcess* process = ProcessOfRun(context().problem);
    m_showTrue->setVisible(process != nullptr);
    const bool shown = process && m_showTrue->isChecked();
    m_trueText->setVisible(shown);
    m_progress->setVisible(!shown);
    if (!shown)
        return;
    const RevealSummary summary = SummariseSimulatedRun(context().problem, *process);
    DrawTrueSurface(*m_path, TrueSurfaceSlice(*process, summary.bestLevels, m_factors.across, m_factors.up, 120));
    m_trueText->setHtml(RevealText(summary, *process));
}

void SimplexPlotWindow::showProgress()
{
    m_progress->setHtml(ProgressPanelText(context().problem, AssessRun(context().problem)));
}

bool SimplexPlotWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ToolTip && (watched == m_response || watched == m_path)) {
        const auto* help = static_cast<QHelpEvent*>(event);
        auto* plot = static_cast<QCustomPlot*>(watched);
        if (const QString tip = tipAt(plot, help->pos()); !tip.isEmpty())
            QToolTip::showText(help->globalPos(), tip, plot);
        else
            QToolTip::hideText();
        return true;
    }
    return SimplexChildWindow::eventFilter(watched, event);
}

// The vertices whose markers are under the pixel, as the plot drew them.
QString SimplexPlotWindow::tipAt(const QCustomPlot* plot, QPoint pixel) const
{
    std::vector<QPointF> points;
    std::vector<int> vertices;
    if (plot == m_response) {
        for (const ResponsePoint& point : m_responseContent.points) {
            points.emplace_back(point.vertex, point.failed ? m_responseContent.failedLevel : point.result);
            vertices.push_back(point.vertex);
        }
    } else {
        // The trial is drawn on top, so it comes first.
        if (m_pathContent.trial) {
            points.push_back(*m_pathContent.trial);
            vertices.push_back(static_cast<int>(m_pathContent.vertices.size()) + 1);
        }
        for (std::size_t i = 0; i < m_pathContent.vertices.size(); ++i) {
            points.push_back(m_pathContent.vertices[i]);
            vertices.push_back(static_cast<int>(i) + 1);
        }
    }
    std::vector<int> under;
    for (const std::size_t index : MarkersAt(*plot, points, pixel))
        under.push_back(vertices[index]);
    return under.empty() ? QString() : VertexTip(context().problem, under);
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
    // The workbook first: most who export open the file in a spreadsheet,
    // which reads a CSV file by the rules of the user's language.
    const std::optional<QString> path = context().dialogs.saveFileName(
        {QStringLiteral("Excel workbook (*.xlsx)"), QStringLiteral("CSV Files (*.csv)"), QStringLiteral("All Files (*)")},
        0);
    if (!path)
        return;
    // The name's ending decides, as for Save Picture: the dialog gives a
    // name typed without one the chosen filter's, and "All Files" none,
    // which keeps the CSV file of before.
    const bool workbook = QFileInfo(*path).suffix().compare(QLatin1String("xlsx"), Qt::CaseInsensitive) == 0;
    const core::FileStatus written =
        workbook ? WriteVertexWorkbook(context().problem, *path) : WriteVertexCsv(context().problem, *path);
    if (!written)
        reportSaveFailure(*path, written.error);
}

void SimplexPlotWindow::reportSaveFailure(const QString& path, const QString& why)
{
    context().dialogs.message(QStringLiteral("Notice"),
                              QStringLiteral("The file %1 could not be saved: %2").arg(QDir::toNativeSeparators(path), why),
                              core::MessageIcon::Critical);
}

} // namespace zeltomir::simplex
