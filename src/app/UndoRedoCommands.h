#pragma once

// One level of undo for the simplex problem: Undo and Redo swap the record
// with the two snapshot files and reopen the window of the loaded stage.
// The main window's Undo and Redo buttons are the only record of which of
// the two is possible.
//
// The snapshot to load is read and checked in full, and the present state
// written, before anything changes: a snapshot that cannot be read or
// written is reported and leaves the record, the windows and the buttons as
// they were.

#include "app/DocumentContext.h"

namespace zeltomir::core {
struct KeptSnapshot;
struct OptimizationProblem;
} // namespace zeltomir::core

namespace zeltomir::app {

class UndoRedoCommands {
public:
    // The context's references must outlive this object.
    explicit UndoRedoCommands(const DocumentContext& context);

    // Both do nothing while their button is disabled.
    void undoCommand();
    void redoCommand();

    // frmDefineFactors, frmInitialSimplex, frmProgress, SimplexSteps, in this
    // order; the setup window stays.
    void closeWorkWindows();

    bool undoEnabled() const;
    bool redoEnabled() const;

private:
    // The loaded record in place of the present one (already kept).
    void takeLoaded(core::OptimizationProblem loaded, const core::KeptSnapshot* kept);

    DocumentContext m_context;
};

} // namespace zeltomir::app
