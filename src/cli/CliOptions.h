#pragma once

// The options of `zeltomir-cli optimize`, parsed into plain values. Only the
// shape of the command line is checked here; every value that the setup
// window would check (the goal's target, the factor cells) is handed to the
// engine as the text a box or grid cell would hold.

#include "core/RecordChoices.h"
#include "core/Responses.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zeltomir::cli {

// One --factor NAME=LOWER..UPPER/DECIMALS: the four cell texts of a row of
// the factor grid, not yet checked.
struct FactorCells {
    QString name;
    QString lower;
    QString upper;
    QString decimals;

    friend bool operator==(const FactorCells&, const FactorCells&) = default;
};

struct OptimizeOptions {
    core::Goal goal = core::Goal::Max;      // --goal max, min or mid
    std::optional<QString> target;          // the target box's text
    std::optional<bool> fixedSteps;         // --steps fixed (true) or variable (false)
    std::vector<FactorCells> factors;
    std::vector<core::ResponseDefinition> responses; // --response, in order
    std::optional<QString> openPath;
    std::optional<QString> savePath;
    std::optional<QString> csvPath;          // the vertex summary as CSV
    std::optional<QString> xlsxPath;         // the vertex summary as an Excel workbook
    bool json = false;
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    OptimizeOptions options;
    QString error; // empty when the command line is usable
};

// The arguments after "optimize". --help and --version win over any error
// so that they always answer.
ParsedOptions ParseOptimizeOptions(const QStringList& arguments);

// Splits NAME=LOWER..UPPER/DECIMALS: the name runs up to the first "=", the
// decimals follow the last "/" after it, and the limits between are split at
// the first "..". nullopt when one of the three marks is missing.
std::optional<FactorCells> SplitFactorOption(const QString& text);

// Splits NAME=GOAL:LOWER..UPPER[:TARGET][,importance=R][,s=S][,t=T] (GOAL
// max, min or target, the target only for a target) or NAME=track: the name
// runs up to the first "=", the limits are split at the first "..", and the
// numbers are read as the input's results are. nullopt when the text has
// another shape or a number is none; the limits themselves are the engine's
// to judge.
std::optional<core::ResponseDefinition> SplitResponseOption(const QString& text);

} // namespace zeltomir::cli
