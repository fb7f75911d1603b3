#include "shell/GridWidget.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QString>

#include <vector>

namespace {

using zeltomir::shell::GridBlock;
using zeltomir::shell::GridWidget;

// The largest table the program shows: the vertex summary of 100 factors
// (104 columns) over ten thousand vertices.
constexpr int Cols = 104;
constexpr int Rows = 10'000;
// The whole table, its header row included.
constexpr GridBlock WholeTable{1, 0, Cols, Rows};

// Widgets need a QApplication; the benchmark main makes none. Created once
// and left alive to the end of the process.
bool EnsureApplication()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        return true;
    if (QCoreApplication::instance())
        return false;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "zeltomir_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    return true;
}

// Where no QApplication can be made (another kind of application runs),
// the benchmark is skipped, saying why.
bool HasApplication(benchmark::State& state)
{
    if (EnsureApplication())
        return true;
    state.SkipWithError("needs a QApplication");
    return false;
}

std::vector<QString> CellTexts()
{
    std::vector<QString> texts;
    texts.reserve(Rows);
    for (int r = 1; r <= Rows; ++r)
        texts.push_back(QString::number(r * 0.125 - 17.5, 'g', 15));
    return texts;
}

void Fill(GridWidget& grid, const std::vector<QString>& texts)
{
    grid.setMaxCols(Cols);
    grid.setMaxRows(Rows);
    for (int c = 1; c <= Cols; ++c)
        grid.setCell(c, 0, QStringLiteral("Factor %1").arg(c));
    for (int r = 1; r <= Rows; ++r) {
        for (int c = 1; c <= Cols; ++c)
            grid.setCell(c, r, texts[static_cast<std::size_t>(r - 1)]);
    }
}

void BM_GridFillAndReadCellByCell(benchmark::State& state)
{
    if (!HasApplication(state))
        return;
    const bool shown = state.range(0) != 0;
    const std::vector<QString> texts = CellTexts();
    for (auto _ : state) {
        GridWidget grid;
        grid.resize(800, 600);
        if (shown)
            grid.show();
        Fill(grid, texts);
        qsizetype total = 0;
        for (int r = 0; r <= Rows; ++r) {
            for (int c = 1; c <= Cols; ++c)
                total += grid.cell(c, r).size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(state.iterations() * Cols * Rows);
}
BENCHMARK(BM_GridFillAndReadCellByCell)->ArgName("shown")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_GridCopyWholeBlockToText(benchmark::State& state)
{
    if (!HasApplication(state))
        return;
    GridWidget grid;
    Fill(grid, CellTexts());
    for (auto _ : state)
        benchmark::DoNotOptimize(grid.blockText(WholeTable));
    state.SetItemsProcessed(state.iterations() * Cols * (Rows + 1));
}
BENCHMARK(BM_GridCopyWholeBlockToText)->Unit(benchmark::kMillisecond);

// What Copy puts on the clipboard of the whole table: the tab text and the
// HTML table beside it, each cell read as a number or marked as text.
void BM_GridCopyWholeBlock(benchmark::State& state)
{
    if (!HasApplication(state))
        return;
    GridWidget grid;
    Fill(grid, CellTexts());
    for (auto _ : state)
        grid.copyBlock(WholeTable);
    state.SetItemsProcessed(state.iterations() * Cols * (Rows + 1));
}
BENCHMARK(BM_GridCopyWholeBlock)->Unit(benchmark::kMillisecond);

void BM_GridPasteWholeBlock(benchmark::State& state)
{
    if (!HasApplication(state))
        return;
    GridWidget source;
    Fill(source, CellTexts());
    const QString text = source.blockText({1, 1, Cols, Rows});
    for (auto _ : state) {
        state.PauseTiming();
        GridWidget target;
        target.setMaxCols(Cols);
        target.setMaxRows(Rows);
        state.ResumeTiming();
        target.pasteText(1, 1, text);
    }
    state.SetItemsProcessed(state.iterations() * Cols * Rows);
}
BENCHMARK(BM_GridPasteWholeBlock)->Unit(benchmark::kMillisecond);

} // namespace
