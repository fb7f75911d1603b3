#include "simplex/Desirability.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace zeltomir::simplex {

namespace {

bool Ranked(const ResponseDefinition& response)
{
    return response.goal != ResponseGoal::TrackOnly;
}

// How far y lies from where its d can become more than 0, in U - L.
double Shortfall(const ResponseDefinition& response, double y)
{
    const double range = response.upper - response.lower;
    switch (response.goal) {
    case ResponseGoal::Maximize:
        return std::max(response.lower - y, 0.0) / range;
    case ResponseGoal::Minimize:
        return std::max(y - response.upper, 0.0) / range;
    case ResponseGoal::Target:
        return std::max({response.lower - y, y - response.upper, 0.0}) / range;
    case ResponseGoal::TrackOnly:
        break;
    }
    return 0;
}

} // namespace

double Desirability(const ResponseDefinition& response, double y)
{
    const double lower = response.lower;
    const double upper = response.upper;
    switch (response.goal) {
    case ResponseGoal::Maximize:
        if (y <= lower)
            return 0;
        if (y >= upper)
            return 1;
        return std::pow((y - lower) / (upper - lower), response.shape);
    case ResponseGoal::Minimize:
        if (y <= lower)
            return 1;
        if (y >= upper)
            return 0;
        return std::pow((upper - y) / (upper - lower), response.shape);
    case ResponseGoal::Target:
        if (y < lower || y > upper)
            return 0;
        if (y <= response.target)
            return std::pow((y - lower) / (response.target - lower), response.shape);
        return std::pow((upper - y) / (upper - response.target), response.shapeAbove);
    case ResponseGoal::TrackOnly:
        break;
    }
    return 1;
}

double OverallDesirability(const std::vector<ResponseDefinition>& responses, const std::vector<double>& values)
{
    // In logarithms, so that many small d do not underflow before the root.
    double weightedLogs = 0;
    double weights = 0;
    for (std::size_t i = 0; i < responses.size() && i < values.size(); ++i) {
        if (!Ranked(responses[i]))
            continue;
        const double d = Desirability(responses[i], values[i]);
        if (d <= 0)
            return 0;
        weightedLogs += responses[i].importance * std::log(d);
        weights += responses[i].importance;
    }
    return weights > 0 ? std::exp(weightedLogs / weights) : 0;
}

double ResponsesObjective(const std::vector<ResponseDefinition>& responses, const std::vector<double>& values)
{
    const double overall = OverallDesirability(responses, values);
    if (overall > 0)
        return overall;
    double shortfall = 0;
    for (std::size_t i = 0; i < responses.size() && i < values.size(); ++i) {
        if (Ranked(responses[i]) && Desirability(responses[i], values[i]) <= 0)
            shortfall += Shortfall(responses[i], values[i]);
    }
    return -shortfall;
}

} // namespace zeltomir::simplex
