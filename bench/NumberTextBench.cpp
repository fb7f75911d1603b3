#include "core/NumberText.h"

#include <benchmark/benchmark.h>

#include <QLocale>
#include <QString>
#include <QStringList>

#include <charconv>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace zeltomir::core;

// A column of a large grid: every cell is read and written as text, so these
// run once per cell when a 100 x 10,000 table is filled or committed.
QStringList CellTexts(int count)
{
    std::mt19937 generator(5);
    std::uniform_real_distribution<double> values(-1e4, 1e4);
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << GeneralForm(values(generator), Precision::Double, QLocale::c());
    return texts;
}

void BM_ParseNumber(benchmark::State& state)
{
    const QStringList texts = CellTexts(1000);
    const QLocale locale = QLocale::c();
    for (auto _ : state) {
        for (const QString& text : texts)
            benchmark::DoNotOptimize(ParseNumber(text, locale));
    }
    state.SetItemsProcessed(state.iterations() * texts.size());
}
BENCHMARK(BM_ParseNumber);

void BM_GeneralForm(benchmark::State& state)
{
    const QLocale locale = QLocale::c();
    double value = 1.0 / 3;
    for (auto _ : state) {
        benchmark::DoNotOptimize(GeneralForm(value, Precision::Double, locale));
        value += 1.25;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_GeneralForm);

void BM_FormatByDigits(benchmark::State& state)
{
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    double value = 1234.5678;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatByDigits(value, 3, locale));
        value += 0.125;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatByDigits);

std::vector<double> TableLevels(int count)
{
    std::mt19937 generator(9);
    std::uniform_real_distribution<double> values(0, 10000);
    std::vector<double> levels(static_cast<std::size_t>(count));
    for (double& level : levels)
        level = values(generator);
    return levels;
}

// How the vertex summary forms its level cells: appended to one row's text.
void BM_AppendLevelCells(benchmark::State& state)
{
    const std::vector<double> levels = TableLevels(1000);
    const NumberFormatter format(QLocale(QLocale::English, QLocale::UnitedStates));
    QString row;
    for (auto _ : state) {
        row.resize(0);
        for (const double level : levels)
            format.appendByDigits(row, level, 3);
        benchmark::DoNotOptimize(row.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(levels.size()));
}
BENCHMARK(BM_AppendLevelCells);

// The floor: the same levels with three decimals by std::to_chars, without
// grouping or the 15-digit rounding, into one byte buffer.
void BM_AppendLevelCellsFloor(benchmark::State& state)
{
    const std::vector<double> levels = TableLevels(1000);
    std::string row(32 * levels.size(), '\0');
    for (auto _ : state) {
        char* out = row.data();
        for (const double level : levels)
            out = std::to_chars(out, out + 32, level, std::chars_format::fixed, 3).ptr;
        benchmark::DoNotOptimize(out);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(levels.size()));
}
BENCHMARK(BM_AppendLevelCellsFloor);

} // namespace
