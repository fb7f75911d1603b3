#pragma once

// A dialog service for tests: it answers message boxes and file dialogs from
// a queue that the test fills beforehand, in the order they are expected, and
// records every request exactly as asked so the test can check title, text,
// icon, buttons and default. A request the script did not expect, or of
// another kind than the next answer, fails the current test with a message
// naming it, and gets the harmless answer (the default button, or cancel).

#include "shell/DialogService.h"

#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zeltomir::shell {

void PrintTo(const MessageRequest& request, std::ostream* out);
void PrintTo(const FileDialogRequest& request, std::ostream* out);
void PrintTo(const ChoiceRequest& request, std::ostream* out);
void PrintTo(const TextRequest& request, std::ostream* out);

} // namespace zeltomir::shell

namespace zeltomir::testsupport {

class ScriptedDialogService final : public shell::DialogService {
public:
    using Request =
        std::variant<shell::MessageRequest, shell::FileDialogRequest, shell::ChoiceRequest, shell::TextRequest>;
    // Runs while the dialog is "open", before it answers.
    using WhileShown = std::function<void()>;

    ScriptedDialogService() = default;
    // Answers still queued at the end mean a dialog the test expected never
    // came: that fails the test too.
    ~ScriptedDialogService() override;

    void answerMessage(shell::MessageAnswer answer, WhileShown whileShown = {});
    void answerOpen(std::optional<QString> fileName, WhileShown whileShown = {});
    void answerSave(std::optional<QString> fileName, WhileShown whileShown = {});
    // The 0-based entry of a list to choose from; nullopt cancels.
    void answerChoice(std::optional<int> index, WhileShown whileShown = {});
    // The text typed into the next box that asks for one; nullopt cancels.
    void answerText(std::optional<QString> text, WhileShown whileShown = {});
    // Works the next dialog of the program's own (runDialog) as a user would
    // and says whether it is accepted.
    using DialogScript = std::function<bool(QDialog& dialog)>;
    void answerDialog(DialogScript script);

    using DialogService::message;
    shell::MessageAnswer message(const shell::MessageRequest& request) override;
    std::optional<QString> openFileName(const QStringList& nameFilters, int selectedFilter) override;
    std::optional<QString> saveFileName(const QStringList& nameFilters, int selectedFilter) override;
    std::optional<int> chooseOne(const shell::ChoiceRequest& request) override;
    std::optional<QString> askText(const shell::TextRequest& request) override;
    bool runDialog(QDialog& dialog) override;

    // Every request in the order asked, and the two kinds apart.
    const std::vector<Request>& requests() const { return m_requests; }
    std::vector<shell::MessageRequest> messages() const;
    std::vector<shell::FileDialogRequest> fileDialogs() const;
    std::vector<shell::ChoiceRequest> choices() const;
    std::vector<shell::TextRequest> textRequests() const;

    std::size_t pendingAnswers() const { return m_answers.size(); }
    // Fails the test if queued answers were never asked for, then drops them.
    void expectAllAnswered();
    void clear();

private:
    struct MessageAnswerEntry {
        shell::MessageAnswer answer;
    };
    struct FileAnswerEntry {
        shell::FileDialogKind kind;
        std::optional<QString> fileName;
    };
    struct ChoiceAnswerEntry {
        std::optional<int> index;
    };
    struct TextAnswerEntry {
        std::optional<QString> text;
    };
    struct DialogAnswerEntry {
        DialogScript script;
    };
    struct Answer {
        std::variant<MessageAnswerEntry, FileAnswerEntry, ChoiceAnswerEntry, TextAnswerEntry, DialogAnswerEntry> value;
        WhileShown whileShown;
    };

    std::optional<QString> fileDialog(const shell::FileDialogRequest& request);
    // What the next queued answer is for, as a failure message names it.
    std::string nextExpected() const;

    std::deque<Answer> m_answers;
    std::vector<Request> m_requests;
};

} // namespace zeltomir::testsupport
