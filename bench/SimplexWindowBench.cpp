// The vertex summary shows, on every activation, the table a whole rebuild
// from the vertex history would show; at 100 factors and 10,000 vertices
// that is about a million cells, of which a step changes a hundred or so.
// The engine's part (building the texts, finding what changed) is measured
// on its own in SimplexBench.cpp; these measure the window's activation
// around it.

#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/VertexSummaryWindow.h"

#include "core/ProblemRecord.h"
#include "core/SnapshotFiles.h"
#include "shell/DialogService.h"
#include "shell/MainWindow.h"

#include "BenchWindows.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>

#include <algorithm>

#include <memory>
#include <random>

namespace {

using namespace zeltomir;

using bench::EnsureApplication;

// A record with k factors and n vertices of random levels and results.
void FillHistory(core::OptimizationProblem& problem, int factors, int vertices)
{
    core::ResetToStartup(problem);
    problem.NumFactors = static_cast<std::int16_t>(factors);
    problem.NumVertices = static_cast<std::int16_t>(vertices);
    problem.InitialSimplexDefined = QStringLiteral("yes"); // the summary lists the vertices of a committed simplex
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

struct SummaryFixture : bench::WindowsFixture {
    SummaryFixture(int factors, int vertices)
    {
        FillHistory(problem, factors, vertices);
        summary = windows.openVertexSummary();
    }

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

// An activation after one retention count changed: that cell alone is
// written again.
void BM_ActivateVertexSummaryAfterRetention(benchmark::State& state)
{
    EnsureApplication();
    const int factors = static_cast<int>(state.range(0));
    SummaryFixture fixture(factors, static_cast<int>(state.range(1)));
    for (auto _ : state) {
        fixture.problem.VertexHistory.at(factors + 3, 1) += 1;
        fixture.summary->refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ActivateVertexSummaryAfterRetention)->Args({2, 20})->Args({100, 10000})->Unit(benchmark::kMillisecond);

// What a step leaves in the history: one more vertex, and one more retention
// for each of the k+1 vertices of the simplex (here the latest ones).
void AppendStep(core::OptimizationProblem& problem, std::mt19937& generator)
{
    const int k = problem.NumFactors;
    const int v = problem.NumVertices + 1;
    core::EnsureCapacity(problem, k, v);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (int i = 1; i <= k; ++i)
        problem.VertexHistory.at(i, v) = unit(generator);
    problem.VertexHistory.at(k + 1, v) = static_cast<float>(1000 * unit(generator));
    problem.VertexHistory.at(k + 2, v) = 1;
    problem.VertexHistory.at(k + 3, v) = 0;
    problem.NumVertices = static_cast<std::int16_t>(v);
    for (int kept = std::max(1, v - k); kept <= v; ++kept)
        problem.VertexHistory.at(k + 3, kept) += 1;
}

// An activation after one new step: the new row and the k+1 retention
// counts are written. Every 500 steps the history goes back to its first
// size (untimed), so the table stays at about the size named.
void BM_ActivateVertexSummaryAfterStep(benchmark::State& state)
{
    EnsureApplication();
    const int factors = static_cast<int>(state.range(0));
    const int vertices = static_cast<int>(state.range(1));
    SummaryFixture fixture(factors, vertices);
    std::mt19937 generator(5);
    for (auto _ : state) {
        if (fixture.problem.NumVertices >= vertices + 500) {
            state.PauseTiming();
            fixture.problem.NumVertices = static_cast<std::int16_t>(vertices);
            fixture.summary->refresh();
            state.ResumeTiming();
        }
        AppendStep(fixture.problem, generator);
        fixture.summary->refresh();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_ActivateVertexSummaryAfterStep)->Args({2, 20})->Args({100, 10000})->Unit(benchmark::kMillisecond);

// The whole table built and written again, as an activation did after every
// step before it kept track of what changed; still the path after a factor
// or the locale changed.
void BM_RebuildVertexSummary(benchmark::State& state)
{
    EnsureApplication();
    SummaryFixture fixture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        fixture.summary->rebuild();
        QApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * (state.range(0) + 4) * state.range(1));
}
BENCHMARK(BM_RebuildVertexSummary)->Args({2, 20})->Args({100, 10000})->Unit(benchmark::kMillisecond);

} // namespace
