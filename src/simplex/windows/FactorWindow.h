#pragma once

// The factor window "frmDefineFactors": one grid row per factor with its
// name, limits and decimals, and Continue, which commits the grid.

#include "simplex/windows/SimplexChildWindow.h"

class QPushButton;

namespace zeltomir::shell {
class GridWidget;
}

namespace zeltomir::simplex {

class FactorWindow : public SimplexChildWindow {
    Q_OBJECT

public:
    explicit FactorWindow(SimplexWindows& windows, QWidget* parent = nullptr);

    void activated() override;

    shell::GridWidget* grid() const { return m_grid; }             // ss
    QPushButton* continueButton() const { return m_continue; }     // Command1

    // Fills the grid from the factor table, as opening the window does.
    void reload();

protected:
    // Closing re-reads the number of factors from the setup window; a count
    // it refuses keeps this window open.
    bool closeAllowed() override;

private:
    void continueClicked();
    void cellEdited();

    shell::GridWidget* m_grid = nullptr;
    QPushButton* m_continue = nullptr;
};

} // namespace zeltomir::simplex
