#pragma once

// The initial simplex window "frmInitialSimplex": one grid row per vertex of
// the initial simplex with the factors' natural levels and the measured
// result, and Continue, which commits them.

#include "simplex/GridText.h"
#include "simplex/windows/SimplexChildWindow.h"

class QPushButton;

namespace zeltomir::shell {
class GridWidget;
}

namespace zeltomir::simplex {

class InitialSimplexWindow : public SimplexChildWindow {
    Q_OBJECT

public:
    // Creating the window loads its grid from the vertex history (which also
    // sets NumVertices to k+1).
    explicit InitialSimplexWindow(SimplexWindows& windows, QWidget* parent = nullptr);

    void activated() override;

    shell::GridWidget* grid() const { return m_grid; }             // ss
    QPushButton* continueButton() const { return m_continue; }     // Command3
    // Shown for a run on a simulated process only.
    QPushButton* runTrialButton() const { return m_runTrial; }     // cmdRunTrial

    void showGrid(const GridText& text);

    // The window size of the load, in twips, for k factors.
    static int widthTwips(int factors) { return 975 * factors + 2160; }
    static constexpr int HeightTwips = 5000;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void continueClicked();
    void runTrial();

    shell::GridWidget* m_grid = nullptr;
    QPushButton* m_continue = nullptr;
    QPushButton* m_runTrial = nullptr;
};

} // namespace zeltomir::simplex
