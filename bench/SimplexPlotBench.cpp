// The simplex plot at 100 factors and 10,000 vertices. Goals: opening the
// window, and its update after one step, each under 50 ms; the window's
// memory under 20 MB (the counter window_MB).

#include "simplex/windows/SimplexPlotWindow.h"
#include "simplex/windows/SimplexWindows.h"

#include "core/ProblemRecord.h"
#include "core/SnapshotFiles.h"
#include "shell/DialogService.h"
#include "shell/MainWindow.h"

#include "BenchWindows.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLocale>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <malloc.h>

#include <random>

namespace {

using namespace zeltomir;

using bench::EnsureApplication;

// How many steps a benchmark appends before it starts the run again.
constexpr int StepsBeforeRestart = 2000;

// A run of fixed steps in which every new vertex is kept and replaces the
// oldest one of the simplex, so that the retention counts describe every
// simplex on the way, as in a real run.
class SyntheticRun {
public:
    SyntheticRun(core::OptimizationProblem& problem, int factors, int vertices) : m_problem(problem), m_k(factors)
    {
        start(vertices);
    }

    // The run from its start to `vertices` vertices.
    void start(int vertices)
    {
        core::OptimizationProblem& problem = m_problem;
        const int factors = m_k;
        core::ResetToStartup(problem);
        problem.NumFactors = static_cast<std::int16_t>(factors);
        problem.InitialSimplexDefined = QStringLiteral("yes");
        problem.CurrentVertexType = core::VertexType::Reflection;
        problem.NumVertices = 0;
        // Room for the steps a benchmark appends, so that none of them
        // copies the whole history to grow it.
        problem.VertexHistory.redim(factors + 4, vertices + StepsBeforeRestart);
        core::EnsureCapacity(problem, factors, vertices);
        for (int i = 1; i <= factors; ++i) {
            core::Factor& factor = problem.Factors[static_cast<std::size_t>(i)];
            factor.LowerLimit = 0;
            factor.UpperLimit = 100 * i;
            factor.SignificantDigits = 2;
        }
        for (int v = 1; v <= vertices; ++v)
            append();
    }

    // One more vertex, kept: the simplex drops its oldest vertex.
    void append()
    {
        const int v = m_problem.NumVertices + 1;
        core::EnsureCapacity(m_problem, m_k, v);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (int i = 1; i <= m_k; ++i)
            m_problem.VertexHistory.at(i, v) = unit(m_generator);
        m_problem.VertexHistory.at(m_k + 1, v) = static_cast<float>(1000 * unit(m_generator));
        m_problem.VertexHistory.at(m_k + 2, v) = v <= m_k + 1 ? 0 : 1;
        m_problem.NumVertices = static_cast<std::int16_t>(v);
        if (v < m_k + 1)
            return;
        const int first = v - m_k;
        for (int kept = first; kept <= v; ++kept) {
            m_problem.VertexHistory.at(m_k + 3, kept) += 1;
            m_problem.Simplex.at(m_k + 3, kept - first + 1) = kept;
            for (int i = 1; i <= m_k; ++i)
                m_problem.Simplex.at(i, kept - first + 1) = m_problem.VertexHistory.value(i, kept);
        }
    }

private:
    core::OptimizationProblem& m_problem;
    int m_k;
    std::mt19937 m_generator{17};
};

struct PlotFixture : bench::WindowsFixture {
    PlotFixture(int factors, int vertices) : run(problem, factors, vertices) {}

    SyntheticRun run;
};

// View > Simplex Plot on a long run: the window made, drawn and shown.
void BM_OpenSimplexPlot(benchmark::State& state)
{
    EnsureApplication();
    PlotFixture fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    double windowBytes = 0;
    for (auto _ : state) {
        const std::size_t before = mallinfo2().uordblks;
        fixture.windows.showSimplexPlot();
        QApplication::processEvents();
        state.PauseTiming();
        windowBytes = static_cast<double>(mallinfo2().uordblks) - static_cast<double>(before);
        fixture.windows.simplexPlotWindow()->subWindow()->close();
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["window_MB"] = windowBytes / (1024.0 * 1024.0);
}
BENCHMARK(BM_OpenSimplexPlot)->Args({2, 20})->Args({100, 10000})->Unit(benchmark::kMillisecond);

// The update after one step, as Next Step asks for it.
void BM_SimplexPlotAfterStep(benchmark::State& state)
{
    EnsureApplication();
    const int vertices = static_cast<int>(state.range(1));
    PlotFixture fixture(static_cast<int>(state.range(0)), vertices);
    fixture.windows.showSimplexPlot();
    for (auto _ : state) {
        if (fixture.problem.NumVertices >= vertices + StepsBeforeRestart) {
            state.PauseTiming();
            fixture.run.start(vertices);
            state.ResumeTiming();
        }
        fixture.run.append();
        fixture.windows.refreshPlot();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_SimplexPlotAfterStep)->Args({2, 20})->Args({100, 10000})->Unit(benchmark::kMillisecond);

} // namespace
