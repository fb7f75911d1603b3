#pragma once

// The simplex plot "frmSimplexPlot": the response of every vertex against its
// number above, the path of the simplex over two chosen factors below, and
// beside them the progress of the run with advice on when to stop. Every
// refresh draws the record as it is; the window keeps only what it drew, to
// tell which marker is under the mouse.

#include "simplex/PlotContent.h"
#include "simplex/windows/SimplexChildWindow.h"

class QCheckBox;
class QComboBox;
class QCustomPlot;
class QLabel;
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
    // With several responses: "D" or one response, for the upper plot.
    QComboBox* plottedBox() const { return m_plotted; } // cboPlotted
    QComboBox* xFactorBox() const { return m_xFactor; } // cboFactorX
    QComboBox* yFactorBox() const { return m_yFactor; } // cboFactorY
    QCheckBox* wholeRangeBox() const { return m_wholeRange; } // chkWholeRange
    QTextBrowser* progressPanel() const { return m_progress; } // txtProgress
    QPushButton* savePictureButton() const { return m_savePicture; }
    QPushButton* exportVerticesButton() const { return m_exportVertices; }
    // For a run on a simulated process only: the true surface behind the
    // path and a summary of the run against it, while the button is down.
    QPushButton* showTrueProcessButton() const { return m_showTrue; } // cmdShowTrueProcess
    QTextBrowser* trueProcessPanel() const { return m_trueText; }     // txtTrueProcess

    // The window size of the load, in twips.
    static constexpr int WidthTwips = 13500;
    static constexpr int HeightTwips = 10500;

protected:
    // The tool tips of the plots' markers.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillPlottedBox();
    void drawResponse();
    void fillFactorBoxes();
    void factorChosen();
    void showFactors(PathFactors factors);
    void drawPath();
    QString tipAt(const QCustomPlot* plot, QPoint pixel) const;
    void showProgress();
    void showTrueProcess();
    void reportSaveFailure(const QString& path, const QString& why);

    QCustomPlot* m_response = nullptr;
    QCustomPlot* m_path = nullptr;
    QComboBox* m_plotted = nullptr;
    QLabel* m_plottedLabel = nullptr;
    QComboBox* m_xFactor = nullptr;
    QComboBox* m_yFactor = nullptr;
    QCheckBox* m_wholeRange = nullptr;
    QTextBrowser* m_progress = nullptr;
    QPushButton* m_savePicture = nullptr;
    QPushButton* m_exportVertices = nullptr;
    QPushButton* m_showTrue = nullptr;
    QTextBrowser* m_trueText = nullptr;

    // What the plots show now: the factors of the boxes, and the points the
    // tool tips are found among.
    PathFactors m_factors{0, 0};
    ResponsePlot m_responseContent;
    PathPlot m_pathContent;
};

} // namespace zeltomir::simplex
