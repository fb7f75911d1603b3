#pragma once

// Every message box and file dialog of the program goes through this one
// interface, so the windows never build dialogs themselves and a test can
// answer them (and check exactly what was asked) with a scripted service.

#include "core/Message.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QDialog;

namespace zeltomir::shell {

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// One message box as asked for: what a scripted service records and what
// the Qt service shows.
struct MessageRequest {
    QString title;
    QString text;
    core::MessageIcon icon = core::MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultButton = MessageAnswer::Ok;

    friend bool operator==(const MessageRequest&, const MessageRequest&) = default;
};

enum class FileDialogKind { Open, Save };

// One file dialog as asked for. nameFilters are in Qt's form
// ("Simplex Files (*.sso)"); selectedFilter is a 0-based index into them,
// so the common dialog's "filter index 2" is 1 here.
struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    QStringList nameFilters;
    int selectedFilter = 0;

    friend bool operator==(const FileDialogRequest&, const FileDialogRequest&) = default;
};

// A list to choose one entry from: each entry is a row of cells under the
// column headers, and `selected` (0-based) is the entry chosen when the
// list opens.
struct ChoiceRequest {
    QString title;
    QString prompt;
    QStringList headers;
    std::vector<QStringList> rows;
    int selected = 0;

    friend bool operator==(const ChoiceRequest&, const ChoiceRequest&) = default;
};

// A box asking for one line of text, such as a value to type.
struct TextRequest {
    QString title;
    QString label; // the question above the box
    QString text;  // what the box holds when it opens

    friend bool operator==(const TextRequest&, const TextRequest&) = default;
};

class DialogService {
public:
    virtual ~DialogService() = default;

    // Shows a message box and returns the button chosen. A box closed
    // without a button (Escape, the close box) answers No for Yes/No boxes
    // and Ok for Ok boxes.
    virtual MessageAnswer message(const MessageRequest& request) = 0;

    // The chosen file name exactly as the dialog returns it; nullopt when the
    // user cancelled.
    virtual std::optional<QString> openFileName(const QStringList& nameFilters, int selectedFilter) = 0;
    virtual std::optional<QString> saveFileName(const QStringList& nameFilters, int selectedFilter) = 0;

    // Shows the list and returns the 0-based index of the entry chosen;
    // nullopt when the user cancelled. A service that has no way of showing
    // a list (the picture tool) answers as if cancelled.
    virtual std::optional<int> chooseOne(const ChoiceRequest& request)
    {
        static_cast<void>(request);
        return std::nullopt;
    }

    // The text typed, exactly as the box holds it; nullopt when the user
    // cancelled.
    virtual std::optional<QString> askText(const TextRequest& request) = 0;

    // Runs a dialog of the program's own (its controls named, so a test can
    // fill them in) and answers whether it was accepted. The plain service
    // runs it modally; a scripted one lets the test work its controls.
    virtual bool runDialog(QDialog& dialog);

    // Shorthands for the common shapes.
    MessageAnswer message(const QString& title, const QString& text, core::MessageIcon icon,
                          MessageButtons buttons = MessageButtons::Ok,
                          MessageAnswer defaultButton = MessageAnswer::Ok)
    {
        return message(MessageRequest{title, text, icon, buttons, defaultButton});
    }
    void show(const core::Message& shown) { message(shown.title, shown.text, shown.icon); }
};

// Turns a filter string of description and pattern pairs separated by "|"
// ("All Files (*.*)|*.*|Simplex Files (*.sso)|*.sso") into Qt name filters.
// A description that does not already name its pattern in brackets gets it
// appended, so Qt can read the pattern back. "*.*" means every file where
// the filter strings come from, while Qt would match it only against names
// with a dot, so it becomes "*" ("All Files (*)"). A trailing description
// without a pattern is kept as it is.
QStringList NameFiltersFromFilterString(const QString& filterString);

} // namespace zeltomir::shell
