#pragma once

// The simplex plot "frmSimplexPlot": the response of every vertex against its
// number above, the path of the simplex over two chosen factors below, and
// beside them the progress of the run with advice on when to stop. It keeps
// no data of its own: every refresh draws the record as it is.

#include "simplex/windows/SimplexChildWindow.h"

class QComboBox;
class QCustomPlot;
class QPushButton;
class QTextBrowser;

namespace zeltomir::simplex {

class SimplexPlotWindow : public SimplexChildWindow {
    Q_OBJECT

public:
    explicit SimplexPlotWindow(SimplexWindows& windows, QWidget* parent = nullptr);

    void activated() override;

    // Draws the record as it is now; the factor choices are kept where the
    // factors still exist.
    void refresh();

    // Save Picture... and Export Vertices...: each asks for a file name.
    void savePicture();
    void exportVertices();

    QCustomPlot* responsePlot() const { return m_response; }
    QCustomPlot* pathPlot() const { return m_path; }
    QComboBox* xFactorBox() const { return m_xFactor; } // cboFactorX
    QComboBox* yFactorBox() const { return m_yFactor; } // cboFactorY
    QTextBrowser* progressPanel() const { return m_progress; } // txtProgress
    QPushButton* savePictureButton() const { return m_savePicture; }
    QPushButton* exportVerticesButton() const { return m_exportVertices; }

    // The window size of the load, in twips.
    static constexpr int WidthTwips = 13500;
    static constexpr int HeightTwips = 10500;

private:
    void fillFactorBoxes();
    void drawPath();
    void showProgress();
    void reportSaveFailure(const QString& path, const QString& why);

    QCustomPlot* m_response = nullptr;
    QCustomPlot* m_path = nullptr;
    QComboBox* m_xFactor = nullptr;
    QComboBox* m_yFactor = nullptr;
    QTextBrowser* m_progress = nullptr;
    QPushButton* m_savePicture = nullptr;
    QPushButton* m_exportVertices = nullptr;
};

} // namespace zeltomir::simplex
