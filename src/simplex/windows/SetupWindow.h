#pragma once

// The problem setup window "SeqSimplexInitialize": the number of factors, the
// goal with its target, the step type, and the three buttons that lead
// through the setup (Define Factors, Define Initial Simplex, Begin
// Optimization).
//
// Option buttons that form one control array carry the array's name with
// the index appended ("Option1_0", "Option1_1", "Option1_2",
// "optSimplexType_0", "optSimplexType_1") and the index itself in the
// dynamic property "index".

#include "simplex/windows/SimplexChildWindow.h"

#include "simplex/EngineTypes.h"

#include "core/Message.h"
#include "core/RecordChoices.h"

#include <optional>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zeltomir::simplex {

class SetupWindow : public SimplexChildWindow {
    Q_OBJECT

public:
    // Define Initial Simplex starts disabled unless asked otherwise (a
    // problem reloaded at the stage where it applies).
    explicit SetupWindow(SimplexWindows& windows, bool defineInitialSimplexEnabled = false,
                         QWidget* parent = nullptr);

    void activated() override;

    QLineEdit* countBox() const { return m_count; }   // Text1
    QLineEdit* targetBox() const { return m_target; } // Text2
    QRadioButton* goalOption(int index) const;        // Option1
    QRadioButton* stepTypeOption(int index) const;    // optSimplexType
    QPushButton* defineFactorsButton() const { return m_defineFactors; }               // Command1
    QPushButton* defineInitialSimplexButton() const { return m_defineInitialSimplex; } // Command2
    QPushButton* beginOptimizationButton() const { return m_beginOptimization; }       // Command3
    QPushButton* defineResponsesButton() const { return m_defineResponses; }           // cmdDefineResponses
    // "Several responses: ..." under the goal options, shown while responses
    // are defined.
    QLabel* responsesNote() const { return m_responsesNote; } // lblResponses

    void setDefineInitialSimplexEnabled(bool enabled);
    // Shows the goal, the target and the step type the record holds, as
    // after a state file was read into it; the goal options are disabled
    // while responses are defined (the simplex then maximises D).
    void showRecord();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls(bool defineInitialSimplexEnabled);
    void load();
    void chooseGoalOption(int index);
    void goalOptionClicked(int index);
    void targetEdited();
    void redrawPlotIfGoalChanged(const core::Choice<core::Goal>& goal, double target);
    EngineHooks goalHooks();
    void countChanged();
    void defineFactors();
    void defineInitialSimplex();
    void showResponsesState();
    void beginOptimization();

    QLabel* m_countLabel = nullptr;
    QLineEdit* m_count = nullptr;
    QGroupBox* m_goalFrame = nullptr;
    QButtonGroup* m_goalOptions = nullptr;
    QLineEdit* m_target = nullptr;
    QGroupBox* m_stepTypeFrame = nullptr;
    QButtonGroup* m_stepTypeOptions = nullptr;
    QPushButton* m_defineFactors = nullptr;
    QPushButton* m_defineInitialSimplex = nullptr;
    QPushButton* m_beginOptimization = nullptr;
    QPushButton* m_defineResponses = nullptr;
    QLabel* m_responsesNote = nullptr;

    // The count box is checked on every change. Its message must neither
    // repeat for every further keystroke of a value that stays bad nor run
    // again while it is on screen.
    bool m_checkingCount = false;
    bool m_countChangedMeanwhile = false;
    std::optional<core::Message> m_countMessageShown;
};

} // namespace zeltomir::simplex
