#include "practice/LetteredAnswer.h"

#include "core/NumberText.h"
#include "practice/PracticeRoutines.h"

#include <cmath>

namespace zeltomir::practice {

QString LetteredAnswerText(const std::vector<LetteredLevel>& levels)
{
    QString text;
    for (const LetteredLevel& entry : levels)
        text += entry.letter + core::GeneralForm(entry.level, core::Precision::Single, QLocale::c());
    return text + QLatin1Char('H');
}

std::vector<LetteredLevel> HiddenLevels(const QString& answerText)
{
    std::vector<LetteredLevel> found;
    for (int i = 0; i < MaxPracticeFactors; ++i) {
        const QString letter = FactorLetter(i);
        const qsizetype p = answerText.indexOf(letter);
        if (p < 0)
            continue;
        qsizetype end = p + 1;
        while (end < answerText.size() && answerText.at(end).unicode() < 65)
            ++end;
        found.push_back({letter, ToSingle(core::LeadingNumber(QStringView(answerText).sliced(p + 1, end - p - 1)))});
    }
    return found;
}

bool WithinTolerance(const QString& letter, float typed, float hidden, ToleranceRule rule)
{
    const double distance = std::fabs(static_cast<double>(typed) - hidden);
    if (rule == ToleranceRule::ByLetter && letter != QLatin1String("G"))
        return distance < 5;
    return distance < 0.3 * std::fabs(static_cast<double>(hidden)) || distance < 1;
}

bool JudgeLetteredAnswer(const QString& answerText, const FactorEntries& entries, ToleranceRule rule)
{
    int counted = 0;
    for (const LetteredLevel& hidden : HiddenLevels(answerText)) {
        const std::optional<float> typed = EntryOf(entries, hidden.letter);
        if (typed && WithinTolerance(hidden.letter, *typed, hidden.level, rule))
            ++counted;
    }
    return counted == 3;
}

QString LetteredAnswerView(const QString& answerText, bool keepFinalSeparator, const QLocale& locale)
{
    QString text;
    for (const LetteredLevel& hidden : HiddenLevels(answerText))
        text += hidden.letter + QLatin1Char('=') + core::GeneralForm(hidden.level, core::Precision::Single, locale) +
                QStringLiteral(", ");
    if (!keepFinalSeparator && text.endsWith(QStringLiteral(", ")))
        text.chop(2);
    return text;
}

} // namespace zeltomir::practice
