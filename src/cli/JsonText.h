#pragma once

// The pieces of JSON the event lines are made of. Numbers are written in the
// shortest form that reads back to the same double, whatever the locale.

#include <QString>

#include <optional>
#include <string>

namespace zeltomir::cli {

// A JSON string in UTF-8 with its quotes: quote, backslash and every
// character of BreaksOrHidesText (VisibleText.h) escaped. JSON needs only
// the C0 controls escaped; the others keep the line whole for readers that
// split lines on more than a line feed, and visible for people.
std::string JsonString(const QString& text);

// The shortest round-trip form ("10", "0.1", "1e+20"); -0 is written 0, and
// an infinity or NaN, which JSON cannot hold, is written null.
std::string JsonNumber(double value);

// A number held as text (a grid cell): its value, or null when it holds none.
std::string JsonNumber(const std::optional<double>& value);

} // namespace zeltomir::cli
