#pragma once

// What the engine's commands take besides the problem record and what they
// answer. Every command of the simplex windows (and of the command-line
// runner) goes the same way: the caller passes the texts the user typed,
// exactly as a text box or grid cell holds them; the engine applies the
// checks in their fixed order, changes the record, and answers with the
// messages to show (in order), where the focus goes and what to display.
// The caller shows the messages one after another and renders the answer;
// it never re-applies a rule of its own.

#include "core/Message.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace zeltomir::simplex {

// Where the input focus goes once the messages have been shown.
enum class Focus {
    None,         // leave it where it is
    SetupCount,   // the setup window's number-of-factors box (Text1)
    SetupTarget,  // the setup window's target box (Text2)
    StepsResult,  // the steps window's result box (Text1)
    StepsLevels,  // the steps window's level grid
    FactorCell,   // the factor grid, at the cell named in the outcome
    InitialCell,  // the initial simplex grid, at the cell named in the outcome
};

struct Outcome {
    std::vector<core::Message> messages; // in the order they appear
    Focus focus = Focus::None;
    // The command went through: false when a check stopped it. What that
    // means for the window (close it, keep it open) is told per command.
    bool ok = true;
    // The grid cell a cell focus goes to: the one a check refused.
    int focusColumn = 0;
    int focusRow = 0;
    // The trial on show was proposed anew (limits moved past it), and the
    // steps window is to show it.
    bool trialProposedAgain = false;
};

// Calls back into the program at the exact point a command reaches them.
struct EngineHooks {
    // Writes the undo snapshot of the record as it stands at that moment and
    // switches the Undo and Redo buttons. May be empty (nothing is stored).
    std::function<void()> storeUndoSnapshot = {};
    // Asks the user a question with Yes and No (No the default); true for
    // Yes. May be empty: a caller without a user (the command-line runner)
    // goes on as if Yes had been chosen.
    std::function<bool(const core::Message&)> confirm = {};
};

// The trial the steps window shows next.
struct Trial {
    // Text of the level cell (grid column 2) of factor 1..k, index 0 = factor 1:
    // the general decimal form of the natural level the grid receives.
    QStringList levels;
    QString instruction;   // the caption of Label2
    QString vertexType;    // its type's text: "R", "E", "Cr" or "Cw"
    int vertexNumber = 0;  // the number the trial gets in the vertex history once its result comes in
    // The vertex of the simplex being measured again (its levels on show,
    // not to be edited); 0 for any other trial.
    int againOf = 0;
};

// What the steps window shows. Its result box is emptied whenever a trial is shown.
struct StepsContent {
    // Column 1 (factor names, index 0 = factor 1) when it is written;
    // nullopt when the grid keeps its column 1 as it is (after a step).
    std::optional<QStringList> factorNames;
    Trial trial;
};

struct StepsOutcome {
    Outcome outcome;
    std::optional<StepsContent> steps; // present when the steps window shows a new trial
};

} // namespace zeltomir::simplex
