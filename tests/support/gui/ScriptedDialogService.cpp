#include "gui/ScriptedDialogService.h"

#include <gtest/gtest.h>

#include <QDialog>

#include <ostream>
#include <sstream>

namespace zeltomir::shell {

namespace {

const char* IconName(core::MessageIcon icon)
{
    switch (icon) {
    case core::MessageIcon::None:
        return "None";
    case core::MessageIcon::Critical:
        return "Critical";
    case core::MessageIcon::Exclamation:
        return "Exclamation";
    case core::MessageIcon::Information:
        return "Information";
    case core::MessageIcon::Question:
        return "Question";
    }
    return "?";
}

const char* AnswerName(MessageAnswer answer)
{
    switch (answer) {
    case MessageAnswer::Ok:
        return "Ok";
    case MessageAnswer::Yes:
        return "Yes";
    case MessageAnswer::No:
        return "No";
    }
    return "?";
}

} // namespace

void PrintTo(const MessageRequest& request, std::ostream* out)
{
    *out << "message box {title \"" << request.title.toStdString() << "\", text \"" << request.text.toStdString()
         << "\", icon " << IconName(request.icon) << ", buttons "
         << (request.buttons == MessageButtons::YesNo ? "YesNo" : "Ok") << ", default "
         << AnswerName(request.defaultButton) << "}";
}

void PrintTo(const ChoiceRequest& request, std::ostream* out)
{
    *out << "list {title \"" << request.title.toStdString() << "\", prompt \"" << request.prompt.toStdString()
         << "\", " << request.rows.size() << " entries, selected " << request.selected << "}";
}

void PrintTo(const FileDialogRequest& request, std::ostream* out)
{
    *out << (request.kind == FileDialogKind::Open ? "open" : "save") << " dialog {filters \""
         << request.nameFilters.join(QStringLiteral(";;")).toStdString() << "\", selected "
         << request.selectedFilter << "}";
}

void PrintTo(const TextRequest& request, std::ostream* out)
{
    *out << "text box {title \"" << request.title.toStdString() << "\", label \"" << request.label.toStdString()
         << "\", text \"" << request.text.toStdString() << "\"}";
}

} // namespace zeltomir::shell

namespace zeltomir::testsupport {

namespace {

// The requests of one kind, in the order asked.
template <typename T>
std::vector<T> RequestsOf(const std::vector<ScriptedDialogService::Request>& requests)
{
    std::vector<T> result;
    for (const auto& request : requests) {
        if (const auto* asked = std::get_if<T>(&request))
            result.push_back(*asked);
    }
    return result;
}

template <typename T>
std::string Describe(const T& request)
{
    std::ostringstream out;
    shell::PrintTo(request, &out);
    return out.str();
}

} // namespace

ScriptedDialogService::~ScriptedDialogService()
{
    expectAllAnswered();
}

void ScriptedDialogService::answerMessage(shell::MessageAnswer answer, WhileShown whileShown)
{
    m_answers.push_back({MessageAnswerEntry{answer}, std::move(whileShown)});
}

void ScriptedDialogService::answerOpen(std::optional<QString> fileName, WhileShown whileShown)
{
    m_answers.push_back({FileAnswerEntry{shell::FileDialogKind::Open, std::move(fileName)}, std::move(whileShown)});
}

void ScriptedDialogService::answerSave(std::optional<QString> fileName, WhileShown whileShown)
{
    m_answers.push_back({FileAnswerEntry{shell::FileDialogKind::Save, std::move(fileName)}, std::move(whileShown)});
}

void ScriptedDialogService::answerChoice(std::optional<int> index, WhileShown whileShown)
{
    m_answers.push_back({ChoiceAnswerEntry{index}, std::move(whileShown)});
}

void ScriptedDialogService::answerText(std::optional<QString> text, WhileShown whileShown)
{
    m_answers.push_back({TextAnswerEntry{std::move(text)}, std::move(whileShown)});
}

void ScriptedDialogService::answerDialog(DialogScript script)
{
    m_answers.push_back({DialogAnswerEntry{std::move(script)}, {}});
}

std::string ScriptedDialogService::nextExpected() const
{
    if (m_answers.empty())
        return "no dialog at all";
    const auto& next = m_answers.front().value;
    if (std::holds_alternative<MessageAnswerEntry>(next))
        return "a message box";
    if (std::holds_alternative<ChoiceAnswerEntry>(next))
        return "a list";
    if (std::holds_alternative<TextAnswerEntry>(next))
        return "a text box";
    if (std::holds_alternative<DialogAnswerEntry>(next))
        return "a dialog";
    return std::get<FileAnswerEntry>(next).kind == shell::FileDialogKind::Open ? "an open dialog" : "a save dialog";
}

shell::MessageAnswer ScriptedDialogService::message(const shell::MessageRequest& request)
{
    m_requests.emplace_back(request);
    const shell::MessageAnswer fallback =
        request.buttons == shell::MessageButtons::YesNo
            ? (request.defaultButton == shell::MessageAnswer::Yes ? shell::MessageAnswer::Yes : shell::MessageAnswer::No)
            : shell::MessageAnswer::Ok;
    if (m_answers.empty() || !std::holds_alternative<MessageAnswerEntry>(m_answers.front().value)) {
        ADD_FAILURE() << "Unexpected " << Describe(request) << "; the script expected " << nextExpected();
        return fallback;
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    if (answer.whileShown)
        answer.whileShown();
    const shell::MessageAnswer given = std::get<MessageAnswerEntry>(answer.value).answer;
    const bool fits = request.buttons == shell::MessageButtons::YesNo ? given != shell::MessageAnswer::Ok
                                                                       : given == shell::MessageAnswer::Ok;
    if (!fits) {
        ADD_FAILURE() << "The script answers " << shell::AnswerName(given) << " to " << Describe(request)
                      << ", which has no such button";
        return fallback;
    }
    return given;
}

std::optional<QString> ScriptedDialogService::openFileName(const QStringList& nameFilters, int selectedFilter)
{
    return fileDialog({shell::FileDialogKind::Open, nameFilters, selectedFilter});
}

std::optional<QString> ScriptedDialogService::saveFileName(const QStringList& nameFilters, int selectedFilter)
{
    return fileDialog({shell::FileDialogKind::Save, nameFilters, selectedFilter});
}

std::optional<QString> ScriptedDialogService::fileDialog(const shell::FileDialogRequest& request)
{
    m_requests.emplace_back(request);
    const auto* next = m_answers.empty() ? nullptr : std::get_if<FileAnswerEntry>(&m_answers.front().value);
    if (!next || next->kind != request.kind) {
        ADD_FAILURE() << "Unexpected " << Describe(request) << "; the script expected " << nextExpected();
        return std::nullopt;
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    if (answer.whileShown)
        answer.whileShown();
    return std::get<FileAnswerEntry>(answer.value).fileName;
}

std::optional<int> ScriptedDialogService::chooseOne(const shell::ChoiceRequest& request)
{
    m_requests.emplace_back(request);
    const auto* next = m_answers.empty() ? nullptr : std::get_if<ChoiceAnswerEntry>(&m_answers.front().value);
    if (!next) {
        ADD_FAILURE() << "Unexpected " << Describe(request) << "; the script expected " << nextExpected();
        return std::nullopt;
    }
    const std::optional<int> index = next->index;
    if (index && (*index < 0 || *index >= static_cast<int>(request.rows.size()))) {
        ADD_FAILURE() << "The script chooses entry " << *index << " of " << Describe(request)
                      << ", which has no such entry";
        m_answers.pop_front();
        return std::nullopt;
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    if (answer.whileShown)
        answer.whileShown();
    return index;
}

std::optional<QString> ScriptedDialogService::askText(const shell::TextRequest& request)
{
    m_requests.emplace_back(request);
    if (m_answers.empty() || !std::holds_alternative<TextAnswerEntry>(m_answers.front().value)) {
        ADD_FAILURE() << "Unexpected " << Describe(request) << "; the script expected " << nextExpected();
        return std::nullopt;
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    if (answer.whileShown)
        answer.whileShown();
    return std::get<TextAnswerEntry>(answer.value).text;
}

bool ScriptedDialogService::runDialog(QDialog& dialog)
{
    const auto* next = m_answers.empty() ? nullptr : std::get_if<DialogAnswerEntry>(&m_answers.front().value);
    if (!next) {
        ADD_FAILURE() << "Unexpected dialog " << dialog.objectName().toStdString() << "; the script expected "
                      << nextExpected();
        return false;
    }
    const DialogScript script = next->script;
    m_answers.pop_front();
    dialog.show();
    const bool accepted = script(dialog);
    dialog.hide();
    return accepted;
}

std::vector<shell::TextRequest> ScriptedDialogService::textRequests() const
{
    return RequestsOf<shell::TextRequest>(m_requests);
}

std::vector<shell::MessageRequest> ScriptedDialogService::messages() const
{
    return RequestsOf<shell::MessageRequest>(m_requests);
}

std::vector<shell::FileDialogRequest> ScriptedDialogService::fileDialogs() const
{
    return RequestsOf<shell::FileDialogRequest>(m_requests);
}

std::vector<shell::ChoiceRequest> ScriptedDialogService::choices() const
{
    return RequestsOf<shell::ChoiceRequest>(m_requests);
}

void ScriptedDialogService::expectAllAnswered()
{
    if (!m_answers.empty()) {
        ADD_FAILURE() << m_answers.size() << " scripted dialog answer(s) were never asked for";
        m_answers.clear();
    }
}

void ScriptedDialogService::clear()
{
    m_answers.clear();
    m_requests.clear();
}

} // namespace zeltomir::testsupport
