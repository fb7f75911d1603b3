#include "simplex/SimulatedProcess.h"

#include "simplex/ProcessSearch.h"

#include <cmath>

namespace zeltomir::simplex {
namespace {

double Square(double x)
{
    return x * x;
}

// A quadratic response surface in two coded factors, the kind textbooks fit
// to a designed experiment.
double Hill(std::span<const double> x)
{
    const double a = x[0];
    const double b = x[1];
    return 5.5 + 1.5 * a + 0.6 * b - 0.15 * a * a - 0.0245 * b * b - 0.0857 * a * b;
}

// Levels: T in K, then pH.
double Peak(std::span<const double> x)
{
    return 94 * std::exp(-(0.03 * Square(x[1] - 10) + 0.001 * Square(x[0] - 300)));
}

double TwoPeaks(std::span<const double> x)
{
    return 80 * std::exp(-(0.05 * Square(x[1] - 4.5) + 0.0025 * Square(x[0] - 340)))
           + 94 * std::exp(-(0.035 * Square(x[1] - 10) + 0.002 * Square(x[0] - 300)));
}

// Rosenbrock's valley.
double Ridge(std::span<const double> x)
{
    return 100 * Square(x[1] - x[0] * x[0]) + Square(1 - x[0]);
}

// Yield (%) against temperature (degrees C), time (min) and catalyst (mol %).
// The cross term tilts the peak so that a hotter batch wants a shorter time.
double Reactor(std::span<const double> x)
{
    const double u = (x[0] - 88) / 25;
    const double v = (x[1] - 70) / 40;
    const double w = (x[2] - 2.2) / 1.6;
    return 5 + 85 * std::exp(-(u * u + v * v + w * w + u * v));
}

// Viscosity (mPa s) against thickener (% w/w) and temperature (degrees C):
// exponential in the thickener, Arrhenius-like in the temperature, 40 mPa s
// for no thickener at 20 degrees C.
double Viscosity(std::span<const double> x)
{
    return 40 * std::exp(0.75 * x[0] + 1800 * (1 / (x[1] + 273.15) - 1 / 293.15));
}

std::vector<SimulatedProcess> BuildProcesses()
{
    std::vector<SimulatedProcess> all;

    SimulatedProcess hill;
    hill.name = QStringLiteral("hill");
    hill.title = QStringLiteral("A textbook hill");
    hill.description = QStringLiteral(
        "A quadratic response surface in two factors A and B, both from 0 to 10, as textbooks fit it to a "
        "designed experiment. Maximise R: a single smooth hill, its top well inside the limits.");
    hill.responseName = QStringLiteral("R");
    hill.factors = {{QStringLiteral("A"), {}, 0, 10, 2}, {QStringLiteral("B"), {}, 0, 10, 2}};
    hill.goal = ProcessGoal::Maximise;
    hill.response = Hill;
    hill.optimum = {{3.00183138, 6.99475603}, 9.84980035};
    hill.worst = {{10, 10}, 0.48};
    all.push_back(std::move(hill));

    const std::vector<ProcessFactor> reactionFactors = {{QStringLiteral("T"), QStringLiteral("K"), 278, 365, 1},
                                                        {QStringLiteral("pH"), {}, 0, 14, 2}};

    SimulatedProcess peak;
    peak.name = QStringLiteral("peak");
    peak.title = QStringLiteral("One peak");
    peak.description = QStringLiteral(
        "The yield of a reaction against the temperature T (278 to 365 K) and the pH (0 to 14): a single "
        "peak, much narrower in pH than in temperature. Maximise the yield.");
    peak.responseName = QStringLiteral("Yield");
    peak.responseUnit = QStringLiteral("%");
    peak.factors = reactionFactors;
    peak.goal = ProcessGoal::Maximise;
    peak.response = Peak;
    peak.optimum = {{300, 10}, 94};
    peak.worst = {{365, 0}, 0.0684463387};
    all.push_back(std::move(peak));

    SimulatedProcess twoPeaks;
    twoPeaks.name = QStringLiteral("two-peaks");
    twoPeaks.title = QStringLiteral("Two peaks");
    twoPeaks.description = QStringLiteral(
        "The same reaction with a second, lower peak at an acid pH and a higher temperature. A simplex "
        "that starts on the slopes of the lower peak can climb it and stay there, at a false optimum. "
        "Maximise the yield.");
    twoPeaks.responseName = QStringLiteral("Yield");
    twoPeaks.responseUnit = QStringLiteral("%");
    twoPeaks.factors = reactionFactors;
    twoPeaks.goal = ProcessGoal::Maximise;
    twoPeaks.response = TwoPeaks;
    twoPeaks.optimum = {{300.180012, 9.97173063}, 94.3311996};
    twoPeaks.worst = {{365, 14}, 0.195456789};
    twoPeaks.falseOptima = {{{339.407976, 4.57135992}, 81.4101806}};
    all.push_back(std::move(twoPeaks));

    SimulatedProcess ridge;
    ridge.name = QStringLiteral("ridge");
    ridge.title = QStringLiteral("A curved valley");
    ridge.description = QStringLiteral(
        "Minimise R over x1 (-2 to 2) and x2 (-1 to 3). The low ground is a narrow valley that curves "
        "round and falls only slowly along its floor: the simplex finds the valley at once and then has "
        "to creep along it to the lowest point.");
    ridge.responseName = QStringLiteral("R");
    ridge.factors = {{QStringLiteral("x1"), {}, -2, 2, 3}, {QStringLiteral("x2"), {}, -1, 3, 3}};
    ridge.goal = ProcessGoal::Minimise;
    ridge.response = Ridge;
    ridge.optimum = {{1, 1}, 0};
    ridge.worst = {{-2, -1}, 2509};
    all.push_back(std::move(ridge));

    SimulatedProcess reactor;
    reactor.name = QStringLiteral("reactor");
    reactor.title = QStringLiteral("Three factors");
    reactor.description = QStringLiteral(
        "The yield of a batch reaction against the temperature (40 to 120 \u00B0C), the reaction time (10 to "
        "120 min) and the amount of catalyst (0.5 to 5 mol %). A hotter batch needs less time, so "
        "temperature and time work together. Maximise the yield.");
    reactor.responseName = QStringLiteral("Yield");
    reactor.responseUnit = QStringLiteral("%");
    reactor.factors = {{QStringLiteral("Temperature"), QStringLiteral("\u00B0C"), 40, 120, 1},
                       {QStringLiteral("Time"), QStringLiteral("min"), 10, 120, 1},
                       {QStringLiteral("Catalyst"), QStringLiteral("mol %"), 0.5, 5, 2}};
    reactor.goal = ProcessGoal::Maximise;
    reactor.response = Reactor;
    reactor.optimum = {{88, 70, 2.2}, 90};
    reactor.worst = {{40, 10, 5}, 5.00058949};
    all.push_back(std::move(reactor));

    SimulatedProcess viscosity;
    viscosity.name = QStringLiteral("viscosity");
    viscosity.title = QStringLiteral("A target viscosity");
    viscosity.description = QStringLiteral(
        "The viscosity of a coating against its thickener content (1 to 6 % w/w) and the temperature (20 "
        "to 80 \u00B0C). Reach 1500 mPa\u00B7s: many pairs of the two do, along a curve, and the simplex "
        "stops at one of them.");
    viscosity.responseName = QStringLiteral("Viscosity");
    viscosity.responseUnit = QStringLiteral("mPa\u00B7s");
    viscosity.factors = {{QStringLiteral("Thickener"), QStringLiteral("% w/w"), 1, 6, 2},
                         {QStringLiteral("Temperature"), QStringLiteral("\u00B0C"), 20, 80, 1}};
    viscosity.goal = ProcessGoal::Target;
    viscosity.target = 1500;
    viscosity.response = Viscosity;
    viscosity.optimum = {{5.43574036, 43.3203331}, 1500};
    viscosity.worst = {{6, 20}, 3600.68525};
    all.push_back(std::move(viscosity));

    return all;
}

} // namespace

const std::vector<SimulatedProcess>& SimulatedProcesses()
{
    static const std::vector<SimulatedProcess> all = BuildProcesses();
    return all;
}

const SimulatedProcess* FindSimulatedProcess(QStringView name)
{
    for (const SimulatedProcess& process : SimulatedProcesses())
        if (process.name == name)
            return &process;
    return nullptr;
}

QString FactorLabel(const ProcessFactor& factor)
{
    if (factor.unit.isEmpty())
        return factor.name;
    return factor.name + QStringLiteral(" (") + factor.unit + QLatin1Char(')');
}

QString GoalText(ProcessGoal goal)
{
    switch (goal) {
    case ProcessGoal::Maximise: return QStringLiteral("max");
    case ProcessGoal::Minimise: return QStringLiteral("min");
    case ProcessGoal::Target: return QStringLiteral("mid");
    }
    return QStringLiteral("max");
}

double ResponseRange(const SimulatedProcess& process)
{
    if (process.goal == ProcessGoal::Target)
        return std::abs(process.worst.value - process.target);
    return std::abs(process.optimum.value - process.worst.value);
}

double OptimumFraction(const SimulatedProcess& process, double trueValue)
{
    if (process.goal == ProcessGoal::Target)
        return 1 - std::abs(trueValue - process.target) / ResponseRange(process);
    return (trueValue - process.worst.value) / (process.optimum.value - process.worst.value);
}

bool WithinOfOptimum(const SimulatedProcess& process, double trueValue, double p)
{
    return OptimumFraction(process, trueValue) >= p;
}

std::optional<int> FirstTrialWithin(const SimulatedProcess& process, std::span<const double> trueValues, double p)
{
    for (std::size_t i = 0; i < trueValues.size(); ++i)
        if (WithinOfOptimum(process, trueValues[i], p))
            return static_cast<int>(i + 1);
    return std::nullopt;
}

double ScaledDistance(const SimulatedProcess& process, std::span<const double> a, std::span<const double> b)
{
    double sum = 0;
    for (std::size_t i = 0; i < process.factors.size(); ++i) {
        const ProcessFactor& factor = process.factors[i];
        sum += Square((a[i] - b[i]) / (factor.upper - factor.lower));
    }
    return std::sqrt(sum);
}

ProcessPoint NearestOptimum(const SimulatedProcess& process, std::span<const double> levels)
{
    if (process.goal == ProcessGoal::Target)
        if (std::optional<ProcessPoint> onTarget = NearestTargetPoint(process, levels))
            return *onTarget;
    return process.optimum;
}

bool NearerFalseOptimum(const SimulatedProcess& process, std::span<const double> levels)
{
    const double toTrue = ScaledDistance(process, levels, process.optimum.levels);
    for (const ProcessPoint& local : process.falseOptima)
        if (ScaledDistance(process, levels, local.levels) < toTrue)
            return true;
    return false;
}

} // namespace zeltomir::simplex
