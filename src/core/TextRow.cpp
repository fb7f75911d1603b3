#include "core/TextRow.h"

namespace zeltomir::core {

TextRow::TextRow(qsizetype cells, qsizetype chars)
{
    m_text.reserve(chars);
    m_ends.reserve(static_cast<std::size_t>(cells));
}

void TextRow::append(QStringView text)
{
    m_text.append(text);
    m_ends.push_back(m_text.size());
}

bool TextRow::set(qsizetype i, QStringView text)
{
    if (i < 0)
        return false;
    if (i >= size()) {
        if (text.isEmpty())
            return false;
        m_ends.resize(static_cast<std::size_t>(i), m_text.size());
        append(text);
        return true;
    }
    const qsizetype from = start(i);
    const qsizetype length = m_ends[static_cast<std::size_t>(i)] - from;
    if (QStringView(m_text).sliced(from, length) == text)
        return false;
    m_text.replace(from, length, text.data(), text.size());
    const qsizetype shift = text.size() - length;
    for (auto end = m_ends.begin() + i; end != m_ends.end(); ++end)
        *end += shift;
    return true;
}

void TextRow::truncate(qsizetype cells)
{
    if (cells < 0 || cells >= size())
        return;
    m_ends.resize(static_cast<std::size_t>(cells));
    m_text.truncate(cells == 0 ? 0 : m_ends.back());
}

} // namespace zeltomir::core
