#pragma once

// What tells the four exercise windows apart besides their models: caption,
// factors and their controls, limits, size, response picture and the few
// places where the windows behave differently.

#include "core/NumberText.h"

#include <QString>

#include <array>

namespace zeltomir::practice {

enum class ExerciseWindow {
    Target,        // frm_DOE_PBLM_2, opened from the Practice menu
    Variance,      // frmVarMinNew, opened from the Practice menu
    OlderVariance, // frm_DOE_PBLM_3, opened by a variance exercise file
    Scrap          // frmScrapMin, opened from the Practice menu
};

// The controls of one factor; the variance windows add G with its own
// numbering (Text1, Label16, Label8, Label1).
struct FactorControlNames {
    QString letter;
    QString textBox;
    QString nameLabel;
    QString lowerLabel;
    QString upperLabel;
};
const std::array<FactorControlNames, 7>& FactorControls();

struct ExerciseWindowConfig {
    QString objectName;
    QString caption;
    QString activeWindowCode; // written into ActiveWindow on activation
    int factorCount = 6;      // A .. F, or A .. G
    QString lowerLimit;       // caption of every lower-limit label
    QString upperLimit;       // caption of every upper-limit label
    int widthTwips = 0;
    int heightTwips = 0;
    core::Picture responsePicture = core::Picture::TwoDecimals;
    // Target and scrap: the picture text is read back as a single-precision
    // number and the grid shows that number. Variance: the grid shows the text.
    bool responseReadBack = true;
    // Target and scrap compute only the optimum and answer for a new
    // question; the variance windows run a whole Compute Response, whose row
    // the grid clearing then removes.
    bool questionRunsResponse = false;
    // The older variance window's boxes and grid leave FocusTarget alone.
    bool setsFocusTarget = true;
    // The "Question" box before any question sets it.
    QString initialStatement;
};

const ExerciseWindowConfig& WindowConfig(ExerciseWindow window);

} // namespace zeltomir::practice
