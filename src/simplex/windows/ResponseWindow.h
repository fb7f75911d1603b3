#pragma once

// The responses window "frmDefineResponses": one grid row per response with
// its name, goal, limits, target, importance and shapes, and OK, which
// defines them. An empty grid goes back to one response.

#include "simplex/windows/SimplexChildWindow.h"

class QPushButton;

namespace zeltomir::shell {
class GridWidget;
}

namespace zeltomir::simplex {

class ResponseWindow : public SimplexChildWindow {
    Q_OBJECT

public:
    explicit ResponseWindow(SimplexWindows& windows, QWidget* parent = nullptr);

    void activated() override;

    shell::GridWidget* grid() const { return m_grid; }  // ss
    QPushButton* okButton() const { return m_ok; }      // cmdOK

    // Fills the grid from the record's responses, as opening the window does.
    void reload();

    // Defines the responses the grid holds, as OK does but leaving the window
    // open (File > Save takes what it shows); false, with the message shown
    // and the cell at fault current, when they are refused.
    bool commit();

private:
    void okClicked();

    shell::GridWidget* m_grid = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace zeltomir::simplex
