// zeltomir-figures: pictures of the real windows for the user manual. It
// starts the program, runs the example of the manual's Quick start through
// its windows the way a user would (typing into boxes and cells, clicking
// buttons), and saves a picture of each window as the manual shows it. The
// build runs it on the offscreen platform, so the manual's figures are made
// anew from the program itself and never go stale; scripts/screenshots runs
// it under a virtual X display for a person to look at.
//
// Usage: zeltomir-figures OUTPUT_FOLDER

#include "app/Program.h"
#include "simplex/windows/FactorWindow.h"
#include "simplex/windows/InitialSimplexWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexPlotWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"
#include "simplex/windows/VertexSummaryWindow.h"
#include "simplex/windows/WindowSupport.h"

#include "simplex/NextStep.h"
#include "simplex/ResponseSetup.h"

#include "core/Random.h"
#include "practice/windows/PracticeWindow.h"
#include "practice/windows/PracticeWindows.h"
#include "shell/DialogService.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace {

using namespace zeltomir;

// Message boxes would wait for a person; here they are reported (none is
// expected) and answered with their default button. A box asking for text
// gets the text the driver set for it.
class LoggingDialogs final : public shell::DialogService {
public:
    std::optional<QString> askText(const shell::TextRequest& request) override
    {
        if (!m_nextText) {
            std::fprintf(stderr, "zeltomir-figures: unexpected text box: %s\n", qUtf8Printable(request.title));
            m_unexpected = true;
        }
        return std::exchange(m_nextText, std::nullopt);
    }
    void answerText(const QString& text) { m_nextText = text; }

    shell::MessageAnswer message(const shell::MessageRequest& request) override
    {
        std::fprintf(stderr, "zeltomir-figures: unexpected message box: %s: %s\n", qUtf8Printable(request.title),
                     qUtf8Printable(request.text));
        m_unexpected = true;
        return request.defaultButton;
    }
    std::optional<QString> openFileName(const QStringList&, int) override { return std::nullopt; }
    std::optional<QString> saveFileName(const QStringList&, int) override { return std::nullopt; }
    bool unexpected() const { return m_unexpected; }

private:
    bool m_unexpected = false;
    std::optional<QString> m_nextText;
};

class Figures {
public:
    explicit Figures(const QString& folder) : m_folder(folder) {}

    // The window's frame, title bar included, as it stands on screen.
    void save(QWidget* window, const char* name)
    {
        QWidget* frame = window ? window->parentWidget() : nullptr;
        if (!frame) {
            fail(name, "the window is not open");
            return;
        }
        QApplication::processEvents();
        const QString path = m_folder.filePath(QLatin1String(name) + QStringLiteral(".png"));
        if (!frame->grab().save(path))
            fail(name, "the picture could not be written");
    }

    void fail(const char* name, const char* why)
    {
        std::fprintf(stderr, "zeltomir-figures: %s: %s\n", name, why);
        m_failed = true;
    }

    bool failed() const { return m_failed; }

private:
    QDir m_folder;
    bool m_failed = false;
};

// Writes a cell the way the cell editor does, so the window reacts as it
// does to typing.
void Type(shell::GridWidget& grid, int col, int row, const QString& text)
{
    auto* view = grid.findChild<QTableView*>();
    view->model()->setData(view->model()->index(row - 1, col - 1), text, Qt::EditRole);
}

void EnterResult(simplex::StepsWindow& steps, const char* result)
{
    steps.resultBox()->setText(QLatin1String(result));
    steps.nextStepButton()->click();
}

// The trial on show failed: recorded as the steps window records it, the
// question answered Yes.
void FailTrial(simplex::SimplexWindows& windows, simplex::StepsWindow& steps)
{
    const simplex::SimplexWindowContext& context = windows.context();
    simplex::StepInput input;
    for (int row = 1; row <= context.problem.NumFactors; ++row)
        input.levels.append(steps.grid()->cell(2, row));
    simplex::EngineHooks hooks = simplex::WindowHooks(context);
    hooks.confirm = [](const core::Message&) { return true; };
    const simplex::StepsOutcome answer = simplex::TrialFailed(context.problem, context.runTime, input, hooks);
    if (answer.steps)
        steps.showSteps(*answer.steps);
    windows.refreshPlot();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zeltomir-figures OUTPUT_FOLDER\n");
        return 2;
    }
    const QString output = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(output)) {
        std::fprintf(stderr, "zeltomir-figures: cannot make %s\n", argv[1]);
        return 2;
    }
    app::SetApplicationIdentity();

    QTemporaryDir programFolder;
    LoggingDialogs dialogs;
    app::Program program(dialogs, app::ProgramOptions{programFolder.path(), false});
    program.start();
    // The practice question is drawn from a fixed seed, so that the same
    // program makes the same pictures.
    core::RandomGenerator generator(20261207);
    core::SetProgramRandom(&generator);
    shell::MainWindow& mainWindow = program.mainWindow();
    mainWindow.resize(1100, 800);
    mainWindow.show();
    simplex::SimplexWindows& windows = program.simplexWindows();
    Figures figures(output);

    simplex::SetupWindow* setup = windows.setupWindow();
    figures.save(setup, "setup");

    setup->defineFactorsButton()->click();
    shell::GridWidget& factors = *windows.factorWindow()->grid();
    const QStringList rows[] = {{"Temperature", "100", "200", "1"}, {"Time", "10", "30", "1"}};
    for (int row = 1; row <= 2; ++row)
        for (int col = 1; col <= 4; ++col)
            Type(factors, col, row, rows[row - 1][col - 1]);
    figures.save(windows.factorWindow(), "define-factors");
    windows.factorWindow()->continueButton()->click();

    setup->defineInitialSimplexButton()->click();
    shell::GridWidget& initial = *windows.initialSimplexWindow()->grid();
    const QStringList vertices[] = {{"130", "14", "63"}, {"140", "14", "69.4"}, {"130", "17", "68.6"}};
    for (int row = 1; row <= 3; ++row)
        for (int col = 1; col <= 3; ++col)
            Type(initial, col, row, vertices[row - 1][col - 1]);
    figures.save(windows.initialSimplexWindow(), "initial-simplex");
    windows.initialSimplexWindow()->continueButton()->click();

    setup->beginOptimizationButton()->click();
    simplex::StepsWindow& steps = *windows.stepsWindow();
    for (const char* result : {"74.8", "79.3", "78.8", "85.7"})
        EnterResult(steps, result);
    figures.save(&steps, "steps");
    for (const char* result : {"88", "86", "85.6"})
        EnterResult(steps, result);

    windows.showVertexSummary();
    figures.save(windows.vertexSummaryWindow(), "vertex-summary");
    windows.showSimplexPlot();
    windows.simplexPlotWindow()->parentWidget()->resize(1000, 700);
    figures.save(windows.simplexPlotWindow(), "simplex-plot");
    windows.simplexPlotWindow()->parentWidget()->close();

    // "When a measurement goes wrong": the result of vertex 10 found
    // mistyped and corrected, then the next trial failed and the
    // contraction after it run.
    windows.showVertexSummary();
    windows.vertexSummaryWindow()->grid()->selectBlock({1, 10, 1, 10});
    dialogs.answerText(QStringLiteral("86.5"));
    mainWindow.menuAction(QStringLiteral("mnuCorrectResult"))->trigger();
    FailTrial(windows, steps);
    EnterResult(steps, "84.9");
    windows.showVertexSummary();
    figures.save(windows.vertexSummaryWindow(), "vertex-summary-corrected");
    windows.showSimplexPlot();
    windows.simplexPlotWindow()->parentWidget()->resize(1000, 700);
    figures.save(windows.simplexPlotWindow(), "simplex-plot-failed");
    windows.simplexPlotWindow()->parentWidget()->close();

    // "Several responses": the same run judged by its yield and by an
    // impurity measured alongside, defined as the responses window defines
    // them; the second definition scores the vertices by the values given.
    const std::vector<core::ResponseDefinition> responses{
        {QStringLiteral("Yield"), core::ResponseGoal::Maximize, 60, 90},
        {QStringLiteral("Impurity"), core::ResponseGoal::Minimize, 0.5, 3}};
    const simplex::SimplexWindowContext& context = windows.context();
    // Opened anew, the summary widens to its new columns.
    windows.vertexSummaryWindow()->parentWidget()->close();
    if (!simplex::DefineResponses(context.problem, responses, simplex::WindowHooks(context)).ok)
        figures.fail("vertex-summary-responses", "the responses were refused");
    const double impurities[] = {2.1, 1.8, 2.6, 1.5, 1.2, 1.4, 0.9, 1.1, 0.8, 1.3, 1.0, 0.9, 1.2};
    for (int v = 1; v <= context.problem.NumVertices && v <= 13; ++v)
        context.problem.VertexResponses.at(2, v) = impurities[v - 1];
    simplex::DefineResponses(context.problem, responses, simplex::WindowHooks(context));
    windows.showVertexSummary();
    figures.save(windows.vertexSummaryWindow(), "vertex-summary-responses");

    mainWindow.menuAction(QStringLiteral("mnuPracticeTOsimple"))->trigger();
    practice::PracticeWindow* practice = program.practiceWindows().window(practice::ExerciseWindow::Target);
    if (practice) {
        const QList<QPushButton*> buttons = practice->findChildren<QPushButton*>();
        QPushButton* compute = nullptr;
        for (QPushButton* button : buttons)
            if (button->text() == QLatin1String("Compute Response"))
                compute = button;
        const char* levels[][2] = {{"-100", "50"}, {"0", "0"}, {"120", "-80"}};
        for (const auto& run : levels) {
            int box = 0;
            for (QLineEdit* level : practice->findChildren<QLineEdit*>())
                if (level->isVisible() && !level->isReadOnly() && box < 2)
                    level->setText(QLatin1String(run[box++]));
            if (compute)
                compute->click();
        }
    }
    figures.save(practice, "practice-target");

    core::SetProgramRandom(nullptr);
    mainWindow.setQuitHook([] {});
    return figures.failed() || dialogs.unexpected() ? EXIT_FAILURE : EXIT_SUCCESS;
}
