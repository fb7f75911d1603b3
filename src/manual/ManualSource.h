#pragma once

// The manual's Markdown text as the renderer takes it: read whole from a
// UTF-8 file, with the program's version filled in where the text asks for
// it, so the manual never names an older release than the program it
// comes with.

#include <QString>

namespace zeltomir::manual {

// Stands in the Markdown text for the program's version (core/ProgramInfo.h).
inline const QString VersionPlaceholder = QStringLiteral("{{version}}");

struct ManualSource {
    QString markdown; // with the placeholders filled in
    QString error;    // empty when the file could be used

    bool ok() const { return error.isEmpty(); }
};

// Refuses a missing or unreadable file, text that is not UTF-8, and a file
// without any text, each with a message that names the file.
ManualSource ReadManualSource(const QString& path);

// The text with every placeholder replaced.
QString FillPlaceholders(QString markdown);

} // namespace zeltomir::manual
