#pragma once

// A row of cell texts kept in one string, each cell's end offset beside it.
// A table of a million numbers stored one string per cell spends more time
// allocating and freeing them than forming them; packed, a row is two
// allocations however many cells it holds.

#include <QString>
#include <QStringView>

#include <vector>

namespace zeltomir::core {

class TextRow {
public:
    TextRow() = default;
    // Room for `cells` cells of `chars` characters in all.
    TextRow(qsizetype cells, qsizetype chars);

    qsizetype size() const { return static_cast<qsizetype>(m_ends.size()); }
    bool empty() const { return m_ends.empty(); }
    // Characters of all cells together.
    qsizetype chars() const { return m_text.size(); }

    // Cell i (from 0); empty beyond the last. Valid until the row changes.
    QStringView at(qsizetype i) const
    {
        if (i < 0 || i >= size())
            return {};
        return QStringView(m_text).sliced(start(i), m_ends[static_cast<std::size_t>(i)] - start(i));
    }

    // Appends a cell.
    void append(QStringView text);
    // Appends a cell that `write` forms by appending characters to the
    // string it is given.
    template <typename Write>
    void appendWith(Write&& write)
    {
        write(m_text);
        m_ends.push_back(m_text.size());
    }

    // Sets cell i, adding empty cells up to it. Returns whether the text
    // changed.
    bool set(qsizetype i, QStringView text);
    // Keeps the first `cells` cells.
    void truncate(qsizetype cells);

    friend bool operator==(const TextRow&, const TextRow&) = default;

private:
    qsizetype start(qsizetype i) const { return i == 0 ? 0 : m_ends[static_cast<std::size_t>(i - 1)]; }

    QString m_text;
    std::vector<qsizetype> m_ends; // m_ends[i]: one past cell i's last character
};

} // namespace zeltomir::core
