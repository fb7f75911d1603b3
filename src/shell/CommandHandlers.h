#pragma once

// The commands of the main window's toolbar and menus. The main window only
// routes: the windows that carry each command out fill these in once they
// exist. A handler left empty makes its command do nothing.

#include <QString>

#include <functional>

namespace zeltomir::shell {

enum class PracticeKind { Target, Variance, Scrap };

// The practice levels, as the practice records hold them.
inline const QString PracticeLevelSimple = QStringLiteral("simple");
inline const QString PracticeLevelAll = QStringLiteral("all");

struct CommandHandlers {
    std::function<void()> newProblem;
    std::function<void()> openProblem;
    std::function<void()> simulatedProblem; // a new problem run on a simulated process
    std::function<void()> save; // the whole save sequence, commits included
    std::function<void()> print;
    std::function<void()> cut;
    std::function<void()> copy;
    std::function<void()> paste;
    std::function<void()> undo;
    std::function<void()> redo;
    std::function<void()> correctResult; // of the vertex selected in the vertex summary
    std::function<void()> showSimplexSteps;
    std::function<void()> showVertexSummary;
    std::function<void()> showSimplexPlot;
    std::function<void()> showProblemSetup;
    // Closes the practice window if open, sets the kind's level ("simple" or
    // "all") and opens the window again.
    std::function<void(PracticeKind kind, const QString& level)> practice;
};

} // namespace zeltomir::shell
