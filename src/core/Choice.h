#pragma once

// A field of the record that holds one of the product's words for a choice
// (the goal, the stage, a vertex type). Code compares the enum; the word is
// the product's, written to a file and read from one. A file may hold any
// other text in its place, which the record keeps as Kind::Other with that
// text, so that writing the record again gives back the bytes it was read
// from. What such a text means is for each rule to say (RecordChoices.h):
// the product's own rules read it differently in different places.

#include <QString>
#include <QStringView>

#include <utility>

namespace zeltomir::core {

// The words of a choice: `Words`, an array of {Kind, word} pairs, one per
// kind but Other. Specialised once for each choice, beside its enum.
template <typename Kind> struct ChoiceWords;

template <typename Kind> class Choice {
public:
    // No word: Other with an empty text.
    Choice() = default;
    // One of the product's words. Implicit, so that a field is set as
    // `problem.Stage = Stage::Steps`.
    Choice(Kind kind) : m_kind(kind) {}

    // The choice a file's text names; any text outside the words is Other
    // and kept as it is.
    static Choice FromText(const QString& text)
    {
        for (const auto& [kind, word] : ChoiceWords<Kind>::Words) {
            if (text == word)
                return Choice(kind);
        }
        Choice other;
        other.m_other = text;
        return other;
    }

    Kind kind() const { return m_kind; }

    // The text a file holds for it: the product's word, or the other text
    // as it was read.
    QString text() const
    {
        for (const auto& [kind, word] : ChoiceWords<Kind>::Words) {
            if (kind == m_kind)
                return word.toString();
        }
        return m_other;
    }

    friend bool operator==(const Choice&, const Choice&) = default;
    friend bool operator==(const Choice& choice, Kind kind) { return choice.m_kind == kind; }

private:
    Kind m_kind = Kind::Other;
    QString m_other; // the text of Other; empty for every other kind
};

} // namespace zeltomir::core
