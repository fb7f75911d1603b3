#include "core/Responses.h"

#include <array>
#include <utility>

namespace zeltomir::core {

namespace {

constexpr std::array<std::pair<ResponseGoal, const char*>, 4> GoalWords{{
    {ResponseGoal::Maximize, "max"},
    {ResponseGoal::Minimize, "min"},
    {ResponseGoal::Target, "target"},
    {ResponseGoal::TrackOnly, "track"},
}};

} // namespace

QString ResponseGoalWord(ResponseGoal goal)
{
    for (const auto& [kind, word] : GoalWords) {
        if (kind == goal)
            return QString::fromLatin1(word);
    }
    return {};
}

std::optional<ResponseGoal> ResponseGoalOfWord(const QString& word)
{
    for (const auto& [kind, text] : GoalWords) {
        if (word == QLatin1String(text))
            return kind;
    }
    return std::nullopt;
}

std::optional<QString> ResponseDefinitionFault(const ResponseDefinition& response)
{
    if (response.goal == ResponseGoal::TrackOnly)
        return std::nullopt;
    if (!(response.lower < response.upper))
        return QStringLiteral("the lower limit must lie below the upper limit.");
    if (response.goal == ResponseGoal::Target && !(response.lower < response.target && response.target < response.upper))
        return QStringLiteral("the target must lie between the lower and the upper limit.");
    if (!(response.importance > 0))
        return QStringLiteral("the importance must be greater than 0.");
    if (!(response.shape > 0) || (response.goal == ResponseGoal::Target && !(response.shapeAbove > 0)))
        return QStringLiteral("the shape must be greater than 0.");
    return std::nullopt;
}

} // namespace zeltomir::core
