#pragma once

// The vertex summary "frmProgress": a read-only table of every vertex so far
// with its levels, result, type and how often it was retained, rebuilt from
// the vertex history each time the window is activated.

#include "simplex/windows/SimplexChildWindow.h"

#include "core/ProblemRecord.h"

#include <QString>

#include <optional>
#include <vector>

namespace zeltomir::shell {
class GridWidget;
}

namespace zeltomir::simplex {

struct VertexSummaryContent;

class VertexSummaryWindow : public SimplexChildWindow {
    Q_OBJECT

public:
    explicit VertexSummaryWindow(SimplexWindows& windows, QWidget* parent = nullptr);

    void activated() override;

    shell::GridWidget* grid() const { return m_grid; } // ss

    // The activation: ActiveWindow, the command states, and the table
    // rewritten from the vertex history. The rewrite is skipped when nothing
    // it is built from has changed since the last one: the table would come
    // out the same, and at 100 factors by 10,000 vertices building it takes
    // a noticeable moment.
    void refresh();

    // The window size of the load, in twips, for k factors.
    static int widthTwips(int factors) { return (factors + 4) * 975 + 2160; }
    static constexpr int HeightTwips = 8295;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Everything the table is built from: the factors shown and the history
    // columns shown (levels, result, type, times retained).
    struct TableSource {
        std::vector<core::Factor> factors;
        int vertices = 0;
        std::vector<double> history;
        QString locale;

        friend bool operator==(const TableSource&, const TableSource&) = default;
    };
    static TableSource SourceOf(const core::OptimizationProblem& problem);

    void fillTable();
    void fitColumns(const VertexSummaryContent& content);

    shell::GridWidget* m_grid = nullptr;
    int m_baseColumnWidth = 0;
    std::optional<TableSource> m_filledFrom;
};

} // namespace zeltomir::simplex
