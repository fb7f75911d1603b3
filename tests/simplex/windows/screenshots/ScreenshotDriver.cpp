// Drives a short session of the real program through the simplex windows and
// the practice exercises and takes a picture of the screen with each window
// open, for a person to look at. Run under a virtual X display by
// scripts/screenshots; not a test.
//
// Usage: zeltomir-screenshots OUTPUT_FOLDER

#include "app/Program.h"
#include "simplex/windows/FactorWindow.h"
#include "simplex/windows/InitialSimplexWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/PlotPicture.h"
#include "simplex/windows/SimplexPlotWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"
#include "simplex/windows/VertexSummaryWindow.h"

#include "core/ProblemRecord.h"
#include "shell/DialogService.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QImage>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>

namespace {

using namespace zeltomir;

// Message boxes would wait for a person; here they are written out and
// answered with their default button.
class LoggingDialogs final : public shell::DialogService {
public:
    shell::MessageAnswer message(const shell::MessageRequest& request) override
    {
        std::fprintf(stderr, "message box: %s: %s\n", qPrintable(request.title), qPrintable(request.text));
        return request.defaultButton;
    }
    std::optional<QString> openFileName(const QStringList&, int) override { return std::nullopt; }
    std::optional<QString> saveFileName(const QStringList&, int) override { return std::nullopt; }
};

void Settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 400) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
}

bool Capture(const QString& folder, const QString& name)
{
    Settle();
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    const int status = QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
    std::fprintf(stderr, "%s %s\n", status == 0 ? "saved" : "FAILED", qPrintable(path));
    return status == 0;
}

// The window alone at three times its size on screen, sharp enough for the
// printed manual (docs/images/simplex-plot.png is made from it).
bool SaveFigure(QWidget& window, const QString& path)
{
    constexpr int Scale = 3;
    for (QCustomPlot* plot : window.findChildren<QCustomPlot*>()) {
        plot->setBufferDevicePixelRatio(Scale);
        plot->replot();
    }
    QImage image(window.size() * Scale, QImage::Format_ARGB32);
    image.setDevicePixelRatio(Scale);
    image.fill(Qt::white);
    window.render(&image);
    for (QCustomPlot* plot : window.findChildren<QCustomPlot*>()) {
        plot->setBufferDevicePixelRatio(1);
        plot->replot();
    }
    const bool saved = image.save(path);
    std::fprintf(stderr, "%s %s\n", saved ? "saved" : "FAILED", qPrintable(path));
    return saved;
}

// A smooth response with its best near the middle of the factor ranges.
double Response(double temperature, double time, double catalyst)
{
    const double t = (temperature - 160) / 30;
    const double m = (time - 35) / 20;
    const double c = (catalyst - 1.6) / 0.8;
    return 80 - 12 * t * t - 9 * m * m - 6 * c * c + 3 * t * m;
}

// Writes a cell the way the cell editor does, so the window reacts as it
// does to typing.
void Type(shell::GridWidget& grid, int col, int row, const QString& text)
{
    auto* view = grid.findChild<QTableView*>();
    view->model()->setData(view->model()->index(row - 1, col - 1), text, Qt::EditRole);
}

QString ResultFor(const shell::GridWidget& levels)
{
    return QString::number(Response(levels.cell(2, 1).toDouble(), levels.cell(2, 2).toDouble(),
                                     levels.cell(2, 3).toDouble()),
                           'f', 2);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);
    app::SetApplicationIdentity();

    QTemporaryDir folder;
    LoggingDialogs dialogs;
    app::Program program(dialogs, app::ProgramOptions{folder.path(), false});
    program.start();
    shell::MainWindow& mainWindow = program.mainWindow();
    // There is no window manager to maximise the window: fill the screen.
    mainWindow.setGeometry(QApplication::primaryScreen()->availableGeometry());
    simplex::SimplexWindows& windows = program.simplexWindows();
    bool ok = Capture(output, QStringLiteral("1-setup"));

    simplex::SetupWindow* setup = windows.setupWindow();
    setup->countBox()->setText(QStringLiteral("3"));
    setup->defineFactorsButton()->click();
    shell::GridWidget& factors = *windows.factorWindow()->grid();
    const QStringList rows[] = {{"Temperature", "120", "180", "1"},
                                {"Reaction Time", "10", "60", "1"},
                                {"Catalyst", "0.5", "2.5", "2"}};
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 4; ++col)
            Type(factors, col, row, rows[row - 1][col - 1]);
    ok = Capture(output, QStringLiteral("2-define-factors")) && ok;
    windows.factorWindow()->continueButton()->click();

    setup->defineInitialSimplexButton()->click();
    shell::GridWidget& initial = *windows.initialSimplexWindow()->grid();
    for (int row = 1; row <= 4; ++row)
        Type(initial, 4, row, QString::number(Response(initial.cell(1, row).toDouble(), initial.cell(2, row).toDouble(),
                                                         initial.cell(3, row).toDouble()),
                                                'f', 2));
    ok = Capture(output, QStringLiteral("3-initial-simplex")) && ok;
    windows.initialSimplexWindow()->continueButton()->click();

    setup->beginOptimizationButton()->click();
    ok = Capture(output, QStringLiteral("4-steps-first-trial")) && ok;
    simplex::StepsWindow* steps = windows.stepsWindow();
    for (int step = 0; step < 12; ++step) {
        steps->resultBox()->setText(ResultFor(*steps->grid()));
        steps->nextStepButton()->click();
    }
    steps->resultBox()->setText(ResultFor(*steps->grid()));
    ok = Capture(output, QStringLiteral("5-steps-after-twelve")) && ok;

    windows.showVertexSummary();
    ok = Capture(output, QStringLiteral("6-vertex-summary")) && ok;

    windows.showSimplexPlot();
    if (QMdiSubWindow* plot = mainWindow.mdiArea()->activeSubWindow())
        plot->setGeometry(QRect(QPoint(0, 0), mainWindow.mdiArea()->viewport()->size()));
    ok = Capture(output, QStringLiteral("7-simplex-plot")) && ok;
    ok = SaveFigure(*windows.simplexPlotWindow(), QDir(output).filePath(QStringLiteral("simplex-plot-figure.png")))
         && ok;
    // The window's own pictures, to open in other programs.
    for (const QString& name : {QStringLiteral("simplex-plot.svg"), QStringLiteral("simplex-plot.pdf")}) {
        const QList<QCustomPlot*> plots{windows.simplexPlotWindow()->responsePlot(), windows.simplexPlotWindow()->pathPlot()};
        const QString failure = simplex::SavePlotPicture(plots, QDir(output).filePath(name));
        std::fprintf(stderr, "%s %s %s\n", failure.isEmpty() ? "saved" : "FAILED", qPrintable(name), qPrintable(failure));
        ok = failure.isEmpty() && ok;
    }
    if (QMdiSubWindow* plot = mainWindow.mdiArea()->activeSubWindow())
        plot->close();

    mainWindow.tileVertically();
    ok = Capture(output, QStringLiteral("7-tiled")) && ok;

    // Each practice exercise at both levels, one at a time at its own size.
    const std::pair<const char*, const char*> exercises[] = {
        {"mnuPracticeTOsimple", "8-target-simple"},   {"mnuPracticeTOadvanced", "9-target-advanced"},
        {"mnuPracticeVOsim", "10-variance-simple"},   {"mnuPracticeVOadv", "11-variance-advanced"},
        {"mnuSRsim", "12-scrap-simple"},              {"mnuSRadv", "13-scrap-advanced"},
    };
    for (const auto& [item, name] : exercises) {
        mainWindow.menuAction(QLatin1String(item))->trigger();
        ok = Capture(output, QLatin1String(name)) && ok;
        if (QMdiSubWindow* exercise = mainWindow.mdiArea()->activeSubWindow())
            exercise->close();
    }

    mainWindow.setQuitHook([] {});
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
