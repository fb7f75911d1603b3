#pragma once

#include <QString>

namespace zeltomir::core {

// What a message box shows. Engine and model code return these; only the
// windows turn them into real message boxes (through the dialog service).
enum class MessageIcon { None, Critical, Exclamation, Information, Question };

struct Message {
    QString title;
    QString text;
    MessageIcon icon = MessageIcon::Critical;

    friend bool operator==(const Message&, const Message&) = default;
};

} // namespace zeltomir::core
