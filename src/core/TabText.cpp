#include "core/TabText.h"

#include "core/VectorState.h"

namespace zeltomir::core {

namespace {

constexpr QChar kTab = u'\t';
constexpr QChar kQuote = u'"';

bool NeedsQuotes(const QString& cell)
{
    if (cell.startsWith(kQuote))
        return true;
    for (const QChar c : cell) {
        if (c == kTab || c == u'\n' || c == u'\r')
            return true;
    }
    return false;
}

void AppendCell(QString& out, const QString& cell)
{
    if (!NeedsQuotes(cell)) {
        out += cell;
        return;
    }
    out += kQuote;
    for (const QChar c : cell) {
        if (c == kQuote)
            out += kQuote;
        out += c;
    }
    out += kQuote;
}

bool IsFieldEnd(QChar c) { return c == kTab || c == u'\n' || c == u'\r'; }

// Reads the quoted cell that opens at `pos` (on its quote). Returns false,
// leaving `pos` and `cell` alone, when the quote is never closed.
bool ReadQuoted(QStringView text, qsizetype& pos, QString& cell)
{
    QString value;
    qsizetype i = pos + 1;
    const qsizetype n = text.size();
    while (i < n) {
        if (text[i] != kQuote) {
            value += text[i++];
            continue;
        }
        if (i + 1 < n && text[i + 1] == kQuote) {
            value += kQuote;
            i += 2;
            continue;
        }
        ++i; // the closing quote
        while (i < n && !IsFieldEnd(text[i]))
            value += text[i++];
        cell = std::move(value);
        pos = i;
        return true;
    }
    return false;
}

QString ReadCell(QStringView text, qsizetype& pos)
{
    QString cell;
    if (pos < text.size() && text[pos] == kQuote && ReadQuoted(text, pos, cell))
        return cell;
    const qsizetype start = pos;
    while (pos < text.size() && !IsFieldEnd(text[pos]))
        ++pos;
    return text.sliced(start, pos - start).toString();
}

} // namespace

QString EncodeTabText(const TabRows& rows)
{
    ClearUpperVectorState();
    QString out;
    for (const QStringList& row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c) {
            if (c > 0)
                out += kTab;
            AppendCell(out, row[c]);
        }
        out += u'\n';
    }
    return out;
}

TabRows DecodeTabText(QStringView text)
{
    ClearUpperVectorState();
    TabRows rows;
    const qsizetype n = text.size();
    if (n == 0)
        return rows;
    QStringList row;
    qsizetype pos = 0;
    while (true) {
        row.append(ReadCell(text, pos));
        if (pos == n) {
            rows.append(row);
            break;
        }
        if (text[pos] == kTab) {
            ++pos;
            continue;
        }
        // A line end: "\r\n" counts once.
        if (text[pos] == u'\r' && pos + 1 < n && text[pos + 1] == u'\n')
            ++pos;
        ++pos;
        rows.append(row);
        row.clear();
        if (pos == n)
            break;
    }
    return rows;
}

} // namespace zeltomir::core
