#pragma once

// Which of the main window's commands are meaningful for the child window
// activated last. Widget-free: it only says what to switch; the main window
// applies it. An empty optional leaves that control as it is, because the
// states persist from one activation to the next. The View menu's other
// items are never switched off: the steps window, the simplex plot and the
// setup window (Problem Setup) can be brought up at any stage.

#include <QString>

#include <optional>

namespace zeltomir::shell {

struct CommandStates {
    std::optional<bool> cutButton;
    std::optional<bool> copyButton;
    std::optional<bool> pasteButton;
    std::optional<bool> printButton;
    std::optional<bool> cutMenu;
    std::optional<bool> copyMenu;
    std::optional<bool> pasteMenu;
    std::optional<bool> vertexSummaryMenu;
    std::optional<bool> editMenu;
    // Edit > Correct Result...: off in every window but the vertex summary,
    // which switches it itself by whether a vertex is selected.
    std::optional<bool> correctResultMenu;

    friend bool operator==(const CommandStates&, const CommandStates&) = default;
};

// The states for an ActiveWindow code; an unknown code changes nothing.
CommandStates CommandStatesFor(const QString& activeWindow);

} // namespace zeltomir::shell
