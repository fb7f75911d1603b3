#include "cli/VisibleText.h"

#include <algorithm>

namespace zeltomir::cli {

namespace {

bool NeedsEscape(char16_t c)
{
    return c == u'\\' || BreaksOrHidesText(c);
}

void AppendHex(QString& out, char16_t c, int digits)
{
    static constexpr char hex[] = "0123456789abcdef";
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
        out += QLatin1Char(hex[(c >> shift) & 0xF]);
}

} // namespace

bool BreaksOrHidesText(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E)
        || (c >= 0x2066 && c <= 0x2069);
}

QString VisibleText(const QString& text)
{
    // Almost every line has nothing to escape: it is then passed on as it is.
    const auto first = std::find_if(text.cbegin(), text.cend(), [](QChar c) { return NeedsEscape(c.unicode()); });
    if (first == text.cend())
        return text;
    QString out = text.first(first - text.cbegin());
    out.reserve(text.size() + 8);
    for (auto it = first; it != text.cend(); ++it) {
        const char16_t c = it->unicode();
        if (!NeedsEscape(c)) {
            out += *it;
            continue;
        }
        switch (c) {
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        case u'\\': out += QLatin1String("\\\\"); break;
        default:
            if (c > 0xFF) {
                out += QLatin1String("\\u");
                AppendHex(out, c, 4);
            } else {
                out += QLatin1String("\\x");
                AppendHex(out, c, 2);
            }
        }
    }
    return out;
}

} // namespace zeltomir::cli
