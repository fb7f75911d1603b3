#pragma once

// The five simplex windows as one unit: it opens, finds and closes them,
// answers the activation of their sub-windows, and holds the routines that
// reach across windows (the factor count check, where the focus goes after a
// message). The program and the document commands (save, open, undo, the
// clipboard, printing) use only this class.

#include "simplex/EngineTypes.h"
#include "simplex/GridText.h"
#include "simplex/windows/SimplexWindowContext.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

class QLineEdit;
class QMdiSubWindow;

namespace zeltomir::shell {
struct CommandHandlers;
class GridWidget;
} // namespace zeltomir::shell

namespace zeltomir::simplex {

class FactorWindow;
class InitialSimplexWindow;
class ResponseWindow;
class SetupWindow;
class SimplexChildWindow;
class SimplexPlotWindow;
class StepsWindow;
class VertexSummaryWindow;

class SimplexWindows : public QObject {
    Q_OBJECT

public:
    // The context's references must outlive this object.
    explicit SimplexWindows(SimplexWindowContext context, QObject* parent = nullptr);
    ~SimplexWindows() override;

    const SimplexWindowContext& context() const { return m_context; }

    // ---- For the program and the document commands ----

    // View > Simplex Optimization Steps and View > Vertex Summary, and the
    // vertex summary's Edit > Correct Result....
    void installViewCommands(shell::CommandHandlers& handlers);
    // Opens the setup window with Define Initial Simplex disabled, as
    // start-up and a new problem do; an open one is only brought forward.
    SetupWindow* openSetupWindow();
    // Opens the steps window (or brings it forward). A window opened afresh
    // shows the trial the record holds, if the record has one.
    void showSimplexSteps();
    // Opens the vertex summary (or brings it forward); its activation
    // rebuilds the table.
    void showVertexSummary();
    // Opens the simplex plot (or brings it forward).
    void showSimplexPlot();
    // View > Problem Setup: the setup window, opened if it is closed, shows
    // the record's number of factors, goal, target and step type, as after
    // an undo, at any stage; Define Initial Simplex is enabled once factors
    // have been defined.
    void showProblemSetup();
    // Draws the record again in the simplex plot, if it is open: after a
    // step, Begin Optimization, and a record loaded or started afresh.
    void refreshPlot();
    // The commit that File > Save runs first when the factor window or the
    // initial simplex window is the active one (by ActiveWindow), with its
    // messages. False when it reported a bad cell; the save goes on anyway.
    bool commitActiveWindowBeforeSave();
    // Closes frmDefineFactors, frmDefineResponses, frmInitialSimplex,
    // frmProgress, SeqSimplexInitialize and SimplexSteps, in this order,
    // without the factor window's count check.
    void closeProblemWindows();
    // The same without the setup window.
    void closeWorkWindows();
    // After a state file has been read: an open setup window shows the
    // loaded goal, target and step type; then the window of the loaded Stage
    // opens.
    //   "none", "DefineFactors": the factor window, filled from the record.
    //   "SeqSimplexInitialize": the setup window, its count box showing the
    //     loaded number of factors and Define Initial Simplex enabled; it
    //     ends up the active window, so ActiveWindow is
    //     "SeqSimplexInitialize".
    //   anything else: the steps window with the loaded trial (ReopenedSteps)
    //     when the record has one (ReadinessOf), else empty; ActiveWindow
    //     "SimplexSteps".
    void reopenStageWindow();
    // The grid of the window an ActiveWindow code names; nullptr for the
    // setup window, a closed window or another code.
    shell::GridWidget* gridOf(const QString& activeWindow) const;
    // The text boxes the clipboard commands act on; nullptr while closed.
    QLineEdit* setupCountBox() const;  // setup Text1 ("text1")
    QLineEdit* setupTargetBox() const; // setup Text2 ("text2")
    QLineEdit* stepsResultBox() const; // steps Text1 ("text")
    shell::GridWidget* stepsResponseGrid() const; // the steps window's responses ("responses")

    // The windows as they are now; nullptr when closed.
    SetupWindow* setupWindow() const;
    FactorWindow* factorWindow() const;
    ResponseWindow* responseWindow() const;
    InitialSimplexWindow* initialSimplexWindow() const;
    StepsWindow* stepsWindow() const;
    VertexSummaryWindow* vertexSummaryWindow() const;
    SimplexPlotWindow* simplexPlotWindow() const;

    // ---- Routines the windows share ----

    // The setup window, opened first if it is closed (a window that is
    // referred to is loaded by the reference). Either way the active window
    // stays the active one.
    SetupWindow* setupWindowLoaded();
    FactorWindow* openFactorWindow();
    // Opens the responses window filled from the record (or brings it forward).
    ResponseWindow* openResponseWindow();
    // Opens the initial simplex window if needed and shows the grid.
    InitialSimplexWindow* openInitialSimplexWindow(const GridText& grid);
    // Opens the steps window if needed and shows the content when given.
    StepsWindow* openStepsWindow(const StepsContent* content);
    VertexSummaryWindow* openVertexSummary();

    // The count check of the setup window's number-of-factors box: its
    // message shown and the focus on the box when the count is refused.
    bool validateFactorCount();
    // Shows the messages in order, then puts the focus where told (a cell
    // focus activates its window and makes the cell the current one).
    void present(const Outcome& outcome);
    void putFocus(Focus focus, int column = 0, int row = 0);
    // Grows the window's frame, within the MDI area, to the height its
    // controls need at least.
    void fitToContents(SimplexChildWindow* window);

private:
    void subWindowActivated(QMdiSubWindow* subWindow);
    void showRecordIn(SetupWindow& setup);
    // An invalid size: the window's own size hint, title bar included.
    QMdiSubWindow* addWindow(SimplexChildWindow* window, QSize size);
    void fitToGrid(SimplexChildWindow* window, const shell::GridWidget& grid);
    void keepInside(QMdiSubWindow* frame);
    QSize room() const;
    void activate(SimplexChildWindow* window);
    template <typename Window> Window* openOnly(const QPointer<Window>& window) const;
    QSize factorWindowSize(const FactorWindow* window) const;

    SimplexWindowContext m_context;
    QPointer<SetupWindow> m_setup;
    QPointer<FactorWindow> m_factors;
    QPointer<ResponseWindow> m_responses;
    QPointer<InitialSimplexWindow> m_initial;
    QPointer<StepsWindow> m_steps;
    QPointer<VertexSummaryWindow> m_summary;
    QPointer<SimplexPlotWindow> m_plot;
};

} // namespace zeltomir::simplex
