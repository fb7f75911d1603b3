#pragma once

// Text events are read line by line, by people and by scripts alike, so a
// name or message must not be able to start a line of its own or hide a
// character: a factor named "A\nmessage Fake Error: x" would otherwise
// print a message the session never showed.

#include <QString>

namespace zeltomir::cli {

// The one list of characters that no event line carries as they are, text
// or JSON: every control character below U+0100 (C0, DEL, C1 with U+0085,
// which some readers take for a line end); the line and paragraph
// separators U+2028 and U+2029, line ends to JavaScript and to Unicode-aware
// line splitting; and the bidirectional embedding, override and isolate
// controls U+202A-U+202E and U+2066-U+2069, which show the text around them
// in another order than it has.
bool BreaksOrHidesText(char16_t c);

// `text` with the backslash doubled and every character of the list above
// written as an escape, so that the escapes stay unambiguous: "\n", "\r",
// "\t", "\\"; any other control character as "\xHH"; the others as "\uHHHH"
// (lower-case hexadecimal). Everything else is kept.
QString VisibleText(const QString& text);

} // namespace zeltomir::cli
