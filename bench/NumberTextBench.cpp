#include "core/NumberText.h"

#include <benchmark/benchmark.h>

#include <QLocale>
#include <QString>
#include <QStringList>

#include <random>

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

} // namespace
