#pragma once

// The vertex summary "frmProgress": a read-only table of every vertex so far
// with its levels, result, type and how often it was retained, rebuilt from
// the vertex history each time the window is activated.

#include "simplex/windows/SimplexChildWindow.h"

namespace zeltomir::shell {
class GridWidget;
}

namespace zeltomir::simplex {

class VertexSummaryWindow : public SimplexChildWindow {
    Q_OBJECT

public:
    explicit VertexSummaryWindow(SimplexWindows& windows, QWidget* parent = nullptr);

    void activated() override;

    shell::GridWidget* grid() const { return m_grid; } // ss

    // Rewrites the whole table from the vertex history.
    void refresh();

    // The window size of the load, in twips, for k factors.
    static int widthTwips(int factors) { return (factors + 4) * 975 + 2160; }
    static constexpr int HeightTwips = 8295;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillTable();
    void fitColumns(int columns);

    shell::GridWidget* m_grid = nullptr;
    int m_baseColumnWidth = 0;
};

} // namespace zeltomir::simplex
