#include "app/FileDialogFilters.h"

#include "shell/DialogService.h"

namespace zeltomir::app {

namespace {

const QString AllFiles = QStringLiteral("All Files (*.*)|*.*");
const QString SimplexFiles = QStringLiteral("Simplex Files (*.sso)|*.sso");
const QString TargetFiles = QStringLiteral("Target Optimization Files (*.sst)|*.sst");
const QString VarianceFiles = QStringLiteral("Variance Optimization Files (*.ssv)|*.ssv");

QString Joined(const QStringList& pairs)
{
    return pairs.join(QLatin1Char('|'));
}

} // namespace

QString SaveFilterString(const QString& activeWindow)
{
    if (activeWindow == QLatin1String("TOO"))
        return Joined({AllFiles, TargetFiles});
    if (activeWindow == QLatin1String("VO"))
        return Joined({AllFiles, VarianceFiles});
    return Joined({AllFiles, SimplexFiles});
}

QString OpenFilterString(const QString& activeWindow)
{
    if (activeWindow == QLatin1String("TOO"))
        return Joined({AllFiles, TargetFiles, VarianceFiles, SimplexFiles});
    if (activeWindow == QLatin1String("VO"))
        return Joined({AllFiles, VarianceFiles, TargetFiles, SimplexFiles});
    return Joined({AllFiles, SimplexFiles, TargetFiles, VarianceFiles});
}

QStringList SaveNameFilters(const QString& activeWindow)
{
    return shell::NameFiltersFromFilterString(SaveFilterString(activeWindow));
}

QStringList OpenNameFilters(const QString& activeWindow)
{
    return shell::NameFiltersFromFilterString(OpenFilterString(activeWindow));
}

ProblemFileKind ProblemFileKindOf(const QString& fileName)
{
    const QString ending = fileName.right(3).toLower();
    if (ending == QLatin1String("sst"))
        return ProblemFileKind::TargetExercise;
    if (ending == QLatin1String("ssv"))
        return ProblemFileKind::VarianceExercise;
    return ProblemFileKind::State;
}

} // namespace zeltomir::app
