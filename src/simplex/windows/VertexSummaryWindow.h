#pragma once

// The vertex summary "frmProgress": a read-only table of every vertex so far
// with its levels, result, type and how often it was retained, rebuilt from
// the vertex history each time the window is activated. A result can be
// corrected from here: Edit > Correct Result... for the vertex selected, or
// a double-click on its Result cell.

#include "simplex/EngineTypes.h"
#include "simplex/VertexSummary.h"
#include "simplex/windows/SimplexChildWindow.h"

#include <QFont>

#include <array>
#include <optional>

class QStyle;

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

    // The activation: ActiveWindow, the command states, and the table
    // brought up to the vertex history. Every activation shows the table a
    // whole rebuild would show, but only the cells whose source changed are
    // formatted and written: after a step, the new vertex's row and the
    // retention counts of the vertices in the simplex. At 100 factors by
    // 10,000 vertices a whole rebuild takes a noticeable moment. The rows end
    // on the newest vertex, whole in view, unless the user has scrolled away
    // from the end; a whole rebuild always ends there.
    void refresh();

    // Writes the whole table again, whatever changed: what every activation
    // shows, the long way.
    void rebuild();

    // The vertex whose row the selection lies in; nullopt when nothing is
    // selected or the selection spans rows.
    std::optional<int> selectedVertex() const;
    // Asks for the new result of the vertex and corrects it; a trial
    // proposed anew shows in the steps window, if it is open. Where several
    // responses are defined, of `response` (from 1), or of the one the user
    // chooses for 0. A vertex that cannot be corrected is refused before
    // anything is asked.
    void correctResult(int vertex, int response = 0);
    std::optional<int> chooseResponse(int vertex);
    void correctResponse(int vertex, int response); // asks for the value
    void showCorrection(const StepsOutcome& answer);

    // The window size of the load, in twips, for k factors.
    static int widthTwips(int factors) { return (factors + 4) * 975 + 2160; }
    static constexpr int HeightTwips = 8295;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void selectionChanged();
    void cellDoubleClicked(int col, int row);
    void write(VertexSummaryUpdate& update);
    // The cells of one row, column 1 first.
    int vertexColumnWidth() const;
    void fitColumns();
    qsizetype textAdvance(QStringView text) const;
    void measureCharacters();

    shell::GridWidget* m_grid = nullptr;
    int m_baseColumnWidth = 0;
    VertexSummaryTracker m_tracker;
    LongestColumnTexts m_longest;
    // The advances of the ASCII characters in m_advanceFont, in pixels.
    std::array<int, 128> m_advances{};
    QFont m_advanceFont;
    bool m_advancesMeasured = false;
};

} // namespace zeltomir::simplex
