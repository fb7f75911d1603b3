#include "cli/JsonText.h"

#include "cli/VisibleText.h"

#include "core/NumberText.h"

#include <cmath>

namespace zeltomir::cli {

std::string JsonString(const QString& text)
{
    std::string json;
    json.reserve(static_cast<std::size_t>(text.size()) + 2);
    json += '"';
    // The characters between escapes go out as UTF-8 a run at a time; an
    // escaped one is never half of a surrogate pair, so no pair is split.
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char* shortForm = nullptr;
        switch (c) {
        case u'"': shortForm = "\\\""; break;
        case u'\\': shortForm = "\\\\"; break;
        case u'\n': shortForm = "\\n"; break;
        case u'\r': shortForm = "\\r"; break;
        case u'\t': shortForm = "\\t"; break;
        case u'\b': shortForm = "\\b"; break;
        case u'\f': shortForm = "\\f"; break;
        default:
            if (!BreaksOrHidesText(c))
                continue;
        }
        json += text.sliced(run, i - run).toUtf8().toStdString();
        run = i + 1;
        if (shortForm) {
            json += shortForm;
            continue;
        }
        static constexpr char hex[] = "0123456789abcdef";
        json += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4)
            json += hex[(c >> shift) & 0xF];
    }
    json += text.sliced(run).toUtf8().toStdString();
    json += '"';
    return json;
}

std::string JsonNumber(double value)
{
    if (!std::isfinite(value))
        return "null";
    return core::ShortestForm(value).toStdString();
}

std::string JsonNumber(const std::optional<double>& value)
{
    return value ? JsonNumber(*value) : std::string("null");
}

} // namespace zeltomir::cli
