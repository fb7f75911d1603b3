#pragma once

// Text events are read line by line, by people and by scripts alike, so a
// name or message must not be able to start a line of its own or hide a
// character: a factor named "A\nmessage Fake Error: x" would otherwise
// print a message the session never showed.

#include <QString>

namespace zeltomir::cli {

// `text` with every character that would break or hide part of a line
// written as an escape, and the backslash doubled so that the escapes stay
// unambiguous: "\n", "\r", "\t", "\\"; any other control character below
// U+0100 (C0, DEL, C1) as "\xHH"; the line and paragraph separators
// U+2028 and U+2029 as "\u2028" and "\u2029". Everything else is kept.
QString VisibleText(const QString& text);

} // namespace zeltomir::cli
