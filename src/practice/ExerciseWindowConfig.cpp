#include "practice/ExerciseWindowConfig.h"

#include "practice/ProblemStatements.h"

namespace zeltomir::practice {
namespace {

ExerciseWindowConfig MakeTarget()
{
    ExerciseWindowConfig c;
    c.objectName = QStringLiteral("frm_DOE_PBLM_2");
    c.caption = QStringLiteral("Process Target Optimization");
    c.activeWindowCode = QStringLiteral("TOO");
    c.factorCount = 6;
    c.lowerLimit = QStringLiteral("-500");
    c.upperLimit = QStringLiteral("500");
    c.widthTwips = 10995;
    c.heightTwips = 8910;
    c.responsePicture = core::Picture::TwoDecimals;
    c.initialStatement = TargetDesignTimeStatement();
    return c;
}

ExerciseWindowConfig MakeScrap()
{
    ExerciseWindowConfig c = MakeTarget();
    c.objectName = QStringLiteral("frmScrapMin");
    c.caption = QStringLiteral("Scrap Minimization");
    c.activeWindowCode = QStringLiteral("TO5");
    c.responsePicture = core::Picture::Whole;
    c.initialStatement.clear();
    return c;
}

ExerciseWindowConfig MakeVariance()
{
    ExerciseWindowConfig c;
    c.objectName = QStringLiteral("frmVarMinNew");
    c.caption = QStringLiteral("Process Variance Minimization");
    c.activeWindowCode = QStringLiteral("VO");
    c.factorCount = 7;
    c.lowerLimit = QStringLiteral("-50");
    c.upperLimit = QStringLiteral("50");
    c.widthTwips = 11115;
    c.heightTwips = 9810;
    c.responsePicture = core::Picture::ThreeDecimals;
    c.responseReadBack = false;
    c.questionRunsResponse = true;
    return c;
}

ExerciseWindowConfig MakeOlderVariance()
{
    ExerciseWindowConfig c = MakeVariance();
    c.objectName = QStringLiteral("frm_DOE_PBLM_3");
    c.lowerLimit = QStringLiteral("-25");
    c.upperLimit = QStringLiteral("25");
    c.heightTwips = 9555;
    c.setsFocusTarget = false;
    return c;
}

} // namespace

const std::array<FactorControlNames, 7>& FactorControls()
{
    static const std::array<FactorControlNames, 7> controls{{
        {"A", "Text2", "Label2", "Label10", "Label17"},
        {"B", "Text3", "Label3", "Label11", "Label18"},
        {"C", "Text4", "Label4", "Label12", "Label19"},
        {"D", "Text5", "Label5", "Label13", "Label20"},
        {"E", "Text6", "Label6", "Label14", "Label21"},
        {"F", "Text7", "Label7", "Label15", "Label22"},
        {"G", "Text1", "Label16", "Label8", "Label1"},
    }};
    return controls;
}

const ExerciseWindowConfig& WindowConfig(ExerciseWindow window)
{
    static const ExerciseWindowConfig target = MakeTarget();
    static const ExerciseWindowConfig variance = MakeVariance();
    static const ExerciseWindowConfig older = MakeOlderVariance();
    static const ExerciseWindowConfig scrap = MakeScrap();
    switch (window) {
    case ExerciseWindow::Target:
        return target;
    case ExerciseWindow::Variance:
        return variance;
    case ExerciseWindow::OlderVariance:
        return older;
    case ExerciseWindow::Scrap:
        return scrap;
    }
    return target;
}

} // namespace zeltomir::practice
