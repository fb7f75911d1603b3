// The vertex summary rebuilds its whole table from the vertex history when
// it is activated; at 100 factors and 10,000 vertices that is about a million
// cells. The engine's part (building the texts) is measured on its own in
// SimplexBench.cpp; these measure the window's activation around it.

#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/VertexSummaryWindow.h"

#include "core/ProblemRecord.h"
#include "core/SnapshotFiles.h"
#include "shell/DialogService.h"
#include "shell/MainWindow.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <memory>
#include <random>

namespace {

using namespace zeltomir;

// The benchmarks share one executable with widget-free ones, so the
// application object is made on first use, on the offscreen platform.
void EnsureApplication()
{
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zeltomir_bench";
    static char* argv[] = {name, nullptr};
    static QApplication application(argc, argv);
    QLocale::setDefault(QLocale::c());
}

class SilentDialogs final : public shell::DialogService {
public:
    shell::MessageAnswer message(const shell::MessageRequest&) override { return shell::MessageAnswer::Ok; }
    std::optional<QString> openFileName(const QStringList&, int) override { return std::nullopt; }
    std::optional<QString> saveFileName(const QStringList&, int) override { return std::nullopt; }
};

// A record with k factors and n vertices of random levels and results.
void FillHistory(core::OptimizationProblem& problem, int factors, int vertices)
{
    core::ResetToStartup(problem);
    problem.NumFactors = static_cast<std::int16_t>(factors);
    problem.NumVertices = static_cast<std::int16_t>(vertices);
    core::EnsureCapacity(problem, factors, vertices);
    std::mt19937 generator(11);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 1; i <= factors; ++i) {
        core::Factor& factor = problem.Factors[static_cast<std::size_t>(i)];
        factor.LowerLimit = 0;
        factor.UpperLimit = 100 * i;
        factor.SignificantDigits = static_cast<std::int16_t>(i % 4);
    }
    for (int v = 1; v <= vertices; ++v) {
        for (int i = 1; i <= factors; ++i)
            problem.VertexHistory.at(i, v) = unit(generator);
        problem.VertexHistory.at(factors + 1, v) = static_cast<float>(1000 * unit(generator));
        problem.VertexHistory.at(factors + 2, v) = v % 5;
        problem.VertexHistory.at(factors + 3, v) = v % 7;
    }
}

struct SummaryFixture {
    explicit SummaryFixture(int factors, int vertices)
        : snapshots(folder.path()), mainWindow(dialogs, runTime),
          windows(simplex::SimplexWindowContext{problem, runTime, snapshots, dialogs, mainWindow})
    {
        FillHistory(problem, factors, vertices);
        mainWindow.resize(1280, 960);
        mainWindow.show();
        summary = windows.openVertexSummary();
    }

    QTemporaryDir folder;
    SilentDialogs dialogs;
    core::OptimizationProblem problem;
    core::RunTimeState runTime;
    core::SnapshotFiles snapshots;
    shell::MainWindow mainWindow;
    simplex::SimplexWindows windows;
    simplex::VertexSummaryWindow* summary = nullptr;
};

// An activation with nothing changed since the last one (switching between
// windows): the table is kept as it is.
void BM_ActivateVertexSummaryUnchanged(benchmark::State& state)
{
    EnsureApplication();
    SummaryFixture fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        fixture.summary->refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ActivateVertexSummaryUnchanged)->Args({2, 20})->Args({100, 10000})->Unit(benchmark::kMillisecond);

// An activation after a step changed the history (here one retention
// count): the whole table is built again and written into the grid.
void BM_ActivateVertexSummaryAfterStep(benchmark::State& state)
{
    EnsureApplication();
    const int factors = static_cast<int>(state.range(0));
    SummaryFixture fixture(factors, static_cast<int>(state.range(1)));
    for (auto _ : state) {
        fixture.problem.VertexHistory.at(factors + 3, 1) += 1;
        fixture.summary->refresh();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 4) * state.range(1));
}
BENCHMARK(BM_ActivateVertexSummaryAfterStep)->Args({2, 20})->Args({100, 10000})->Unit(benchmark::kMillisecond);

} // namespace
