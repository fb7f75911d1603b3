#include "gui/ScriptedDialogService.h"
#include "shell/QtDialogService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace zeltomir::shell {
namespace {

using core::MessageIcon;
using testsupport::ScriptedDialogService;

std::string Joined(const QStringList& list)
{
    return list.join(QStringLiteral(" | ")).toStdString();
}

// ------------------------------------------------------------ filter text

struct FilterRow {
    const char* filterString;
    const char* expected; // Qt name filters joined by " | "
};

const FilterRow FilterRows[] = {
    {"All Files (*.*)|*.*|Simplex Files (*.sso)|*.sso", "All Files (*) | Simplex Files (*.sso)"},
    {"All Files (*.*)|*.*|Target Optimization Files (*.sst)|*.sst|Variance Optimization Files (*.ssv)|*.ssv|"
     "Simplex Files (*.sso)|*.sso",
     "All Files (*) | Target Optimization Files (*.sst) | Variance Optimization Files (*.ssv) | "
     "Simplex Files (*.sso)"},
    {"Text|*.txt", "Text (*.txt)"},
    {"Pictures|*.png;*.jpg", "Pictures (*.png;*.jpg)"},
    {"Odd (*.a)|*.a|Lonely", "Odd (*.a) | Lonely"},
    {"", ""},
};

TEST(NameFiltersFromFilterString, TurnsPairsIntoQtNameFilters)
{
    for (const FilterRow& row : FilterRows) {
        SCOPED_TRACE(row.filterString);
        EXPECT_EQ(Joined(NameFiltersFromFilterString(QLatin1String(row.filterString))), row.expected);
    }
}

// ------------------------------------------------------------ message box

struct BoxRow {
    MessageRequest request;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
};

const BoxRow BoxRows[] = {
    {{"Warning!", "Sure?", MessageIcon::Critical, MessageButtons::YesNo, MessageAnswer::No}, QMessageBox::Critical,
     QMessageBox::Yes | QMessageBox::No, QMessageBox::No},
    {{"Message", "Go on?", MessageIcon::Exclamation, MessageButtons::YesNo, MessageAnswer::Yes}, QMessageBox::Warning,
     QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes},
    {{"Notice", "There was an error while printing.", MessageIcon::Critical}, QMessageBox::Critical, QMessageBox::Ok,
     QMessageBox::Ok},
    {{"Input Error", "<b>not bold</b>", MessageIcon::Information}, QMessageBox::Information, QMessageBox::Ok,
     QMessageBox::Ok},
    {{"Data Entry Error", "x", MessageIcon::Question}, QMessageBox::Question, QMessageBox::Ok, QMessageBox::Ok},
    {{"Plain", "y", MessageIcon::None}, QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok},
};

TEST(QtDialogService, BuildsTheMessageBoxAsAsked)
{
    for (const BoxRow& row : BoxRows) {
        SCOPED_TRACE(row.request.title.toStdString());
        const auto box = QtDialogService::buildMessageBox(row.request, nullptr);
        EXPECT_EQ(box->windowTitle(), row.request.title);
        EXPECT_EQ(box->text(), row.request.text);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->icon(), row.icon);
        EXPECT_EQ(box->standardButtons(), row.buttons);
        EXPECT_EQ(box->standardButton(box->defaultButton()), row.defaultButton);
    }
}

// A short text must not make the box so narrow that the title bar cuts the
// title short ("Question...esponse"); a long text still widens the box.
TEST(QtDialogService, MessageBoxIsWideEnoughForItsTitle)
{
    const MessageRequest requests[] = {
        {"Question Response", "Your response is Correct!", MessageIcon::Information},
        {"Correct Answer", "A=-34, D=-25.7", MessageIcon::Information},
        {"Warning!", "You are about to exit without saving your data. Are you sure you want to quit?",
         MessageIcon::Critical, MessageButtons::YesNo, MessageAnswer::No},
    };
    for (const MessageRequest& request : requests) {
        SCOPED_TRACE(request.title.toStdString());
        const auto box = QtDialogService::buildMessageBox(request, nullptr);
        box->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        EXPECT_GE(box->width(), QtDialogService::TitleRoomWidth(request.title, box->font()));
        const QFontMetrics metrics(box->font());
        EXPECT_GT(box->width(), metrics.horizontalAdvance(request.text) / 2);
        box->close();
    }
}

TEST(QtDialogService, EnterTakesTheDefaultAndEscapeSaysNo)
{
    const std::tuple<MessageAnswer, Qt::Key, QMessageBox::StandardButton> rows[] = {
        {MessageAnswer::No, Qt::Key_Return, QMessageBox::No},
        {MessageAnswer::Yes, Qt::Key_Return, QMessageBox::Yes},
        {MessageAnswer::Yes, Qt::Key_Escape, QMessageBox::No},
    };
    for (const auto& [defaultButton, key, expected] : rows) {
        SCOPED_TRACE(testing::Message() << "key " << key << ", expected " << expected);
        const auto box = QtDialogService::buildMessageBox(
            {"Message", "Are you sure you want to quit?", MessageIcon::Critical, MessageButtons::YesNo, defaultButton},
            nullptr);
        box->open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        QTest::keyClick(box.get(), key);
        ASSERT_NE(box->clickedButton(), nullptr);
        const auto clicked = box->standardButton(box->clickedButton());
        EXPECT_EQ(clicked, expected);
        EXPECT_EQ(QtDialogService::answerFor(clicked, MessageButtons::YesNo),
                  expected == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No);
    }
}

TEST(QtDialogService, AnswersByTheButtonsOffered)
{
    EXPECT_EQ(QtDialogService::answerFor(QMessageBox::Yes, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(QtDialogService::answerFor(QMessageBox::No, MessageButtons::YesNo), MessageAnswer::No);
    // A box closed without a button is a No.
    EXPECT_EQ(QtDialogService::answerFor(QMessageBox::NoButton, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(QtDialogService::answerFor(QMessageBox::NoButton, MessageButtons::Ok), MessageAnswer::Ok);
}

TEST(QtDialogService, BuildsTheTextBoxAsAsked)
{
    const auto dialog = QtDialogService::buildTextDialog({"Correct Result", "New result:", "74.8"}, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Correct Result");
    EXPECT_EQ(dialog->labelText(), "New result:");
    EXPECT_EQ(dialog->textValue(), "74.8");
    EXPECT_EQ(dialog->inputMode(), QInputDialog::TextInput);
}

TEST(QtDialogService, FileDialogOffersTheFiltersWithTheChosenOneSelected)
{
    const QStringList filters{"All Files (*)", "Simplex Files (*.sso)", "Target Optimization Files (*.sst)"};
    // A saved name typed without an extension gets the chosen filter's.
    const std::tuple<FileDialogKind, int, const char*, QFileDialog::AcceptMode, const char*> rows[] = {
        {FileDialogKind::Open, 1, "Simplex Files (*.sso)", QFileDialog::AcceptOpen, ""},
        {FileDialogKind::Save, 2, "Target Optimization Files (*.sst)", QFileDialog::AcceptSave, "sst"},
        {FileDialogKind::Save, 7, "All Files (*)", QFileDialog::AcceptSave, ""}, // out of range: the first
    };
    for (const auto& [kind, selected, expected, mode, suffix] : rows) {
        SCOPED_TRACE(expected);
        const auto dialog = QtDialogService::buildFileDialog({kind, filters, selected}, nullptr);
        EXPECT_EQ(Joined(dialog->nameFilters()), Joined(filters));
        EXPECT_EQ(dialog->selectedNameFilter(), expected);
        EXPECT_EQ(dialog->acceptMode(), mode);
        EXPECT_EQ(dialog->defaultSuffix(), suffix);
        if (kind == FileDialogKind::Save) {
            emit dialog->filterSelected(filters[1]); // the user picks another filter
            EXPECT_EQ(dialog->defaultSuffix(), "sso");
        }
    }
}

// Each file dialog starts in the folder of the file chosen last; a
// cancelled dialog leaves that folder as it was.
TEST(QtDialogService, FileDialogStartsInTheFolderChosenLast)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    QtDialogService service;
    EXPECT_TRUE(service.lastFolder().isEmpty());

    QStringList startedIn;
    // Answers the modal dialog once its event loop runs: records where it
    // started, then chooses path (or cancels for an empty path).
    auto answer = [&startedIn](const QString& path) {
        QTimer::singleShot(0, [&startedIn, path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            startedIn << dialog->directory().absolutePath();
            if (path.isEmpty()) {
                dialog->reject();
                return;
            }
            // Typed into the name box, as the user does; choosing the file
            // in the list would move the dialog to its folder first.
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(path);
            QMetaObject::invokeMethod(dialog, "accept"); // a protected slot
        });
    };
    const QStringList filters{"All Files (*)"};
    const QString saved = QDir(first.path()).filePath("problem.sso");
    answer(saved);
    EXPECT_EQ(service.saveFileName(filters, 0), saved);
    EXPECT_EQ(service.lastFolder(), QDir(first.path()).absolutePath());

    answer(QString());
    EXPECT_EQ(service.openFileName(filters, 0), std::nullopt);
    EXPECT_EQ(service.lastFolder(), QDir(first.path()).absolutePath());

    const QString other = QDir(second.path()).filePath("other.sso");
    answer(other);
    EXPECT_EQ(service.saveFileName(filters, 0), other);
    ASSERT_EQ(startedIn.size(), 3);
    EXPECT_EQ(startedIn[1].toStdString(), QDir(first.path()).absolutePath().toStdString());
    EXPECT_EQ(startedIn[2].toStdString(), QDir(first.path()).absolutePath().toStdString());
    EXPECT_EQ(service.lastFolder(), QDir(second.path()).absolutePath());
}

// The list to choose from: one row per entry under the headers, the asked
// entry selected; a double-click chooses, and OK needs a selection.
TEST(QtDialogService, ChoiceListShowsTheEntriesWithOneSelected)
{
    const ChoiceRequest request{
        "Measure Again", "Which one?", {"Vertex", "A", "Result"}, {{"1", "4", "10"}, {"3", "5", "failed"}}, 1};
    const auto dialog = QtDialogService::buildChoiceDialog(request, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Measure Again");
    auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("list"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->headerItem()->text(2), "Result");
    EXPECT_EQ(list->topLevelItem(1)->text(2), "failed");
    EXPECT_EQ(QtDialogService::selectedChoice(*dialog), 1);
    auto* ok = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    EXPECT_TRUE(ok->isEnabled());
    list->clearSelection();
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_EQ(QtDialogService::selectedChoice(*dialog), std::nullopt);

    dialog->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const QRect first = list->visualItemRect(list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(QtDialogService::selectedChoice(*dialog), 0);
}

// ------------------------------------------------------ scripted service

TEST(ScriptedDialogService, AnswersInOrderAndRecordsEveryRequest)
{
    ScriptedDialogService dialogs;
    dialogs.answerMessage(MessageAnswer::Yes);
    dialogs.answerSave(QString("/tmp/a.sso"));
    dialogs.answerOpen(std::nullopt);
    dialogs.answerMessage(MessageAnswer::Ok);
    dialogs.answerChoice(1);

    EXPECT_EQ(dialogs.message("Warning!", "Sure?", MessageIcon::Critical, MessageButtons::YesNo, MessageAnswer::No),
              MessageAnswer::Yes);
    EXPECT_EQ(dialogs.saveFileName({"Simplex Files (*.sso)"}, 0), QString("/tmp/a.sso"));
    EXPECT_EQ(dialogs.openFileName({"All Files (*)", "Simplex Files (*.sso)"}, 1), std::nullopt);
    dialogs.show(core::Message{"Notice", "Done.", MessageIcon::Information});
    const ChoiceRequest choice{"Pick", "Which?", {"N"}, {{"1"}, {"2"}}, 0};
    EXPECT_EQ(dialogs.chooseOne(choice), 1);

    EXPECT_EQ(dialogs.pendingAnswers(), 0u);
    ASSERT_EQ(dialogs.requests().size(), 5u);
    EXPECT_TRUE(dialogs.choices() == std::vector<ChoiceRequest>{choice});
    const std::vector<MessageRequest> expectedMessages{
        {"Warning!", "Sure?", MessageIcon::Critical, MessageButtons::YesNo, MessageAnswer::No},
        {"Notice", "Done.", MessageIcon::Information, MessageButtons::Ok, MessageAnswer::Ok}};
    EXPECT_EQ(dialogs.messages(), expectedMessages);
    const std::vector<FileDialogRequest> expectedFiles{
        {FileDialogKind::Save, {"Simplex Files (*.sso)"}, 0},
        {FileDialogKind::Open, {"All Files (*)", "Simplex Files (*.sso)"}, 1}};
    EXPECT_EQ(dialogs.fileDialogs(), expectedFiles);
}

TEST(ScriptedDialogService, RunsTheActionWhileTheDialogIsShown)
{
    ScriptedDialogService dialogs;
    std::vector<int> order;
    dialogs.answerMessage(MessageAnswer::No, [&] { order.push_back(1); });
    dialogs.answerOpen(QString("x"), [&] { order.push_back(2); });
    dialogs.message("Message", "?", MessageIcon::Critical, MessageButtons::YesNo, MessageAnswer::No);
    order.push_back(3);
    dialogs.openFileName({}, 0);
    EXPECT_EQ(order, (std::vector<int>{1, 3, 2}));
}

TEST(ScriptedDialogService, UnexpectedRequestsFailTheTestAndGetTheHarmlessAnswer)
{
    ScriptedDialogService dialogs;
    MessageAnswer answer = MessageAnswer::Yes;
    EXPECT_NONFATAL_FAILURE(answer = dialogs.message("Message", "Quit?", MessageIcon::Critical, MessageButtons::YesNo,
                                                     MessageAnswer::No),
                            "Unexpected message box {title \"Message\", text \"Quit?\"");
    EXPECT_EQ(answer, MessageAnswer::No);

    std::optional<QString> file = QString("set");
    EXPECT_NONFATAL_FAILURE(file = dialogs.saveFileName({"A (*.a)"}, 0), "Unexpected save dialog");
    EXPECT_EQ(file, std::nullopt);
    std::optional<int> chosen = 0;
    EXPECT_NONFATAL_FAILURE(chosen = dialogs.chooseOne({"Pick", "?", {"N"}, {{"1"}}, 0}), "Unexpected list");
    EXPECT_EQ(chosen, std::nullopt);
    EXPECT_EQ(dialogs.requests().size(), 3u);
}

TEST(ScriptedDialogService, ARequestOfTheWrongKindFailsAndKeepsTheAnswerQueued)
{
    ScriptedDialogService dialogs;
    dialogs.answerOpen(QString("a.sso"));
    EXPECT_NONFATAL_FAILURE(dialogs.saveFileName({}, 0), "the script expected an open dialog");
    EXPECT_NONFATAL_FAILURE(dialogs.message("Notice", "x", MessageIcon::Critical), "expected an open dialog");
    EXPECT_NONFATAL_FAILURE(dialogs.askText({"Title", "Value:", "1"}), "expected an open dialog");
    EXPECT_EQ(dialogs.openFileName({}, 0), QString("a.sso"));
    dialogs.answerText(QString("2.5"));
    EXPECT_NONFATAL_FAILURE(dialogs.openFileName({}, 0), "expected a text box");
    EXPECT_EQ(dialogs.askText({"Title", "Value:", "1"}), QString("2.5"));
    EXPECT_EQ(dialogs.textRequests(), (std::vector<TextRequest>(2, {"Title", "Value:", "1"})));
}

TEST(ScriptedDialogService, AnAnswerTheBoxDoesNotOfferFails)
{
    ScriptedDialogService dialogs;
    dialogs.answerMessage(MessageAnswer::Yes);
    MessageAnswer answer = MessageAnswer::Yes;
    EXPECT_NONFATAL_FAILURE(answer = dialogs.message("Notice", "x", MessageIcon::Critical), "no such button");
    EXPECT_EQ(answer, MessageAnswer::Ok);
}

TEST(ScriptedDialogService, AnswersNeverAskedForFailTheTest)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedDialogService dialogs;
            dialogs.answerMessage(MessageAnswer::Yes);
            dialogs.answerSave(std::nullopt);
        },
        "2 scripted dialog answer(s) were never asked for");
}

} // namespace
} // namespace zeltomir::shell
