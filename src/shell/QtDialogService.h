#pragma once

#include "shell/DialogService.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace zeltomir::shell {

// The dialog service of the running program: real message boxes and file
// dialogs, parented to the main window once it exists.
class QtDialogService final : public DialogService {
public:
    explicit QtDialogService(QWidget* parent = nullptr);

    void setParentWidget(QWidget* parent) { m_parent = parent; }
    QWidget* parentWidget() const { return m_parent; }

    using DialogService::message;
    MessageAnswer message(const MessageRequest& request) override;
    std::optional<QString> openFileName(const QStringList& nameFilters, int selectedFilter) override;
    std::optional<QString> saveFileName(const QStringList& nameFilters, int selectedFilter) override;
    std::optional<int> chooseOne(const ChoiceRequest& request) override;
    std::optional<QString> askText(const TextRequest& request) override;

    // The box message() shows, built but not run, so its title, text, icon,
    // buttons and default can be checked.
    static std::unique_ptr<QMessageBox> buildMessageBox(const MessageRequest& request, QWidget* parent);
    // The width a message box needs so that the window system's title bar
    // shows its whole title beside the frame buttons.
    static int TitleRoomWidth(const QString& title, const QFont& font);
    static MessageAnswer answerFor(QMessageBox::StandardButton clicked, MessageButtons buttons);
    // Likewise the box askText() shows.
    static std::unique_ptr<QInputDialog> buildTextDialog(const TextRequest& request, QWidget* parent);
    // Likewise the file dialog, with its filters and the selected one,
    // showing folder where one is given.
    static std::unique_ptr<QFileDialog> buildFileDialog(const FileDialogRequest& request, QWidget* parent,
                                                        const QString& folder = QString());

    // Likewise the list of chooseOne: a table of the entries (object name
    // "list") with OK and Cancel; a double-click on an entry chooses it.
    static std::unique_ptr<QDialog> buildChoiceDialog(const ChoiceRequest& request, QWidget* parent);
    // The entry selected in such a dialog; nullopt when none is.
    static std::optional<int> selectedChoice(const QDialog& dialog);

    // The folder of the file chosen last, where the next file dialog starts
    // (empty until a file has been chosen: the dialog starts in the working
    // folder).
    const QString& lastFolder() const { return m_lastFolder; }

private:
    std::optional<QString> runFileDialog(const FileDialogRequest& request);

    QPointer<QWidget> m_parent;
    QString m_lastFolder;
};

} // namespace zeltomir::shell
