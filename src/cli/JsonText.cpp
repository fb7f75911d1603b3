#include "cli/JsonText.h"

#include "core/NumberText.h"

#include <cmath>

namespace zeltomir::cli {

std::string JsonString(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    std::string json;
    json.reserve(static_cast<std::size_t>(utf8.size()) + 2);
    json += '"';
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"': json += "\\\""; break;
        case '\\': json += "\\\\"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        case '\b': json += "\\b"; break;
        case '\f': json += "\\f"; break;
        default:
            if (byte < 0x20) {
                static constexpr char hex[] = "0123456789abcdef";
                json += "\\u00";
                json += hex[byte >> 4];
                json += hex[byte & 0x0F];
            } else {
                json += c;
            }
        }
    }
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
