#include "practice/ProblemStatements.h"

namespace zeltomir::practice {
namespace {

QString VarianceTail(const QString& targetText)
{
    return QStringLiteral("factors are shown to the right of each factor.  When the Compute Response button is clicked the ") +
           QStringLiteral("levels of each factor along with the resulting value of the response variable will be placed in the ") +
           QStringLiteral("spreadsheet.  This data can be copied to a statistical package for analysis.  Your Answer is the ") +
           QStringLiteral("values in the input boxes.  The values of non-significant factors are ignored when your answer is "
                          "checked.  The target for the response is ") +
           targetText + QLatin1Char('.');
}

const QString VarianceOpening =
    QStringLiteral("You are responsible for minimizing the variance of the response variable for a process.  ");
const QString SevenFactorsPotential =
    QStringLiteral("to affect the response variable.  The lower limits and upper limits for each of the independent ");

} // namespace

QString TargetDesignTimeStatement()
{
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral("You are responsible for maximizing the response of a process.  Six independent factors; A, B, "
                          "C, D, E and F, have been ") +
           crlf +
           QStringLiteral("identified as having the potential to affect the response variable.  The lower limits and "
                          "upper limits for each of the ") +
           crlf +
           QStringLiteral("independent factors are shown to the right of each factor.  When the  \"Compute Response\" "
                          "button is clicked the levels of ") +
           crlf +
           QStringLiteral("each factor along with the resulting value of the response variable will be placed in the "
                          "spreadsheet.  This data can be ") +
           crlf +
           QStringLiteral("copied to a statistical package for analysis.  Your \"Answer\" is the values in the input "
                          "boxes.  The values of non-significant ") +
           crlf + QStringLiteral("factors are ignored when your answer is checked.") + crlf;
}

QString TargetSimpleStatement(const QString& first, const QString& second)
{
    return QStringLiteral("You are responsible for maximizing the response of a process.  ") +
           QStringLiteral("Two factors, %1 and %2, ").arg(first, second) +
           QStringLiteral("affect the response variable.  ") +
           QStringLiteral("The lower limits and upper limits for each of the ") +
           QStringLiteral("independent factors are shown to the right of each factor.  When the ") +
           QStringLiteral("Compute Response button is clicked the levels of ") +
           QStringLiteral("each factor along with the resulting value of the response variable will ") +
           QStringLiteral("be placed in the spreadsheet.  This data can be ") +
           QStringLiteral("copied to a statistical package for analysis.  Your Answer is ") +
           QStringLiteral("the values in the input boxes.  The values of non-significant ") +
           QStringLiteral("factors are ignored when your answer is checked.");
}

QString ScrapStatement(bool advanced)
{
    const QString opening =
        advanced ? QStringLiteral("You are responsible for minimizing the scrap rate of a process.  Six independent ") +
                       QStringLiteral("factors; A, B, C, D, E and F, have been identified as having the potential ") +
                       QStringLiteral("to affect the scrap rate.  The lower limits and upper limits for each of ")
                 : QStringLiteral("You are responsible for minimizing the scrap rate of a process.  Tow independent ") +
                       QStringLiteral("factors; A and D, have been identified as having an ") +
                       QStringLiteral("effect the scrap rate.  The lower limits and upper limits for each of ");
    return opening + QStringLiteral("the independent factors are shown to the right of each factor.  ") +
           QStringLiteral("When the Compute Response button is clicked the levels of ") +
           QStringLiteral("each factor along with the resultingscrap rate in parts per million (PPM) ") +
           QStringLiteral("will be placed in the spreadsheet.  This data can be copied to a ") +
           QStringLiteral("statistical package for analysis.  Your Answer is the values in the ") +
           QStringLiteral("input boxes.  The values of non-significant factors are ignored when your ") +
           QStringLiteral("answer is checked.");
}

QString VarianceStatement(bool advanced, const QString& targetText)
{
    if (advanced)
        return VarianceOpening +
               QStringLiteral("Seven independent factors; A, B, C, D, E, F and G, have been identified as having the "
                              "potential ") +
               SevenFactorsPotential + VarianceTail(targetText);
    return VarianceOpening + QStringLiteral("Three independent factors, A, D and E, have been identified ") +
           QStringLiteral("as having an affect on the response variable.  The lower limits and upper limits for each "
                          "of the independent ") +
           VarianceTail(targetText);
}

QString RobustStatement(const QString& targetText)
{
    return VarianceOpening +
           QStringLiteral("Seven  independent factors; A, B, C, D, E, F and G, have been identified as having the "
                          "potential ") +
           SevenFactorsPotential + VarianceTail(targetText);
}

} // namespace zeltomir::practice
