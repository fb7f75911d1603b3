#include "practice/FactorLevels.h"

#include "core/NumberText.h"

namespace zeltomir::practice {

QString FactorLetter(int index)
{
    return QString(QChar(u'A' + index));
}

int FactorIndex(const QString& letter)
{
    if (letter.size() != 1)
        return -1;
    const char16_t c = letter.front().unicode();
    return c >= u'A' && c < u'A' + MaxPracticeFactors ? c - u'A' : -1;
}

FactorEntries ReadEntries(const QStringList& boxTexts, const QLocale& locale)
{
    FactorEntries entries{};
    for (int i = 0; i < MaxPracticeFactors && i < boxTexts.size(); ++i)
        entries[static_cast<std::size_t>(i)] = core::ParseSingle(boxTexts.at(i), locale);
    return entries;
}

FactorLevels LevelsOf(const FactorEntries& entries)
{
    FactorLevels levels{};
    for (std::size_t i = 0; i < levels.size(); ++i)
        levels[i] = entries[i].value_or(0.0F);
    return levels;
}

float LevelOf(const FactorLevels& levels, const QString& letter)
{
    const int index = FactorIndex(letter);
    return index < 0 ? 0.0F : levels[static_cast<std::size_t>(index)];
}

std::optional<float> EntryOf(const FactorEntries& entries, const QString& letter)
{
    const int index = FactorIndex(letter);
    return index < 0 ? std::nullopt : entries[static_cast<std::size_t>(index)];
}

std::optional<LimitFailure> CheckLimits(const FactorLevels& levels, int factorCount, const QString& lowerLimit,
                                        const QString& upperLimit)
{
    // The captions are fixed numbers such as "-500"; they are not typed, so
    // they are read the same way in every locale.
    const float lower = core::ParseSingle(lowerLimit, QLocale::c()).value_or(0.0F);
    const float upper = core::ParseSingle(upperLimit, QLocale::c()).value_or(0.0F);
    for (int i = 0; i < factorCount && i < MaxPracticeFactors; ++i) {
        const float level = levels[static_cast<std::size_t>(i)];
        QString text;
        if (level < lower)
            text = QStringLiteral("The value of factor %1 is less than the lower limit.").arg(FactorLetter(i));
        else if (level > upper)
            text = QStringLiteral("The value of factor %1 is greater than the upper limit.").arg(FactorLetter(i));
        else
            continue;
        return LimitFailure{i, core::Message{QStringLiteral("Input Error"), text, core::MessageIcon::None}};
    }
    return std::nullopt;
}

QStringList ResponseRowCells(const QStringList& shownFactors, const FactorLevels& levels,
                             const QString& responseText, const QLocale& locale)
{
    QStringList cells;
    for (const QString& letter : shownFactors)
        cells.append(core::GeneralForm(LevelOf(levels, letter), core::Precision::Single, locale));
    cells.append(responseText);
    return cells;
}

} // namespace zeltomir::practice
