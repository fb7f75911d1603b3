// The desktop's side of Help > Contents: the question whether any
// application opens PDF files, and the opener run beside the program, whose
// failure is reported when it ends.

#include "gui/ScriptedDialogService.h"
#include "shell/ManualOpener.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace zeltomir::shell {
namespace {

using testsupport::ScriptedDialogService;

bool WriteScript(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n" + text) > 0
           && file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ManualOpener, RunsTheOpenerBesideTheWindowAndReportsItsFailure)
{
    QTemporaryDir folder;
    const QString manual = folder.filePath("Zeltomir.pdf");
    ASSERT_TRUE(WriteScript(manual, "%PDF-"));
    const QString atManual = "The manual could not be opened.  It is at " + QDir::toNativeSeparators(manual) + ".";
    const struct {
        const char* name;
        QString program;
        QStringList arguments; // the manual's path follows
        bool reported;
    } cases[] = {
        {"shown", "sh", {"-c", "sleep 0.2; test -f \"$1\"", "opener"}, false},
        {"the opener ends with an error", "sh", {"-c", "sleep 0.2; exit 3", "opener"}, true},
        {"the opener is killed", "sh", {"-c", "kill -9 $$", "opener"}, true},
        {"no opener installed", folder.filePath("no-such-opener"), {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogService dialogs;
        ManualOpener opener(dialogs);
        opener.setPath(manual);
        opener.setViewerQuery([] { return PdfViewers::CannotTell; });
        opener.setOpenerCommand(c.program, c.arguments);
        if (c.reported)
            dialogs.answerMessage(MessageAnswer::Ok);
        opener.open();
        // Handed on, not waited for.
        EXPECT_EQ(opener.running(), 1);
        EXPECT_TRUE(dialogs.messages().empty());
        ASSERT_TRUE(QTest::qWaitFor([&opener] { return opener.running() == 0; }, 10000));
        const std::vector<MessageRequest> expected{{"Notice", atManual, core::MessageIcon::Information}};
        EXPECT_EQ(dialogs.messages(), c.reported ? expected : std::vector<MessageRequest>{});
    }
}

// What xdg-mime answers, and a desktop without it.
TEST(ManualOpener, AsksTheDesktopForAnApplicationOfPdfFiles)
{
    QTemporaryDir folder;
    const QByteArray path = qgetenv("PATH");
    const struct {
        const char* name;
        QByteArray script; // empty: no xdg-mime
        PdfViewers answer;
    } cases[] = {
        {"a default application", "echo org.gnome.Evince.desktop", PdfViewers::Some},
        {"none, status 0", "echo", PdfViewers::None},
        {"none, status 4", "exit 4", PdfViewers::None},
        {"no xdg-mime", "", PdfViewers::CannotTell},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString script = folder.filePath("xdg-mime");
        QFile::remove(script);
        if (!c.script.isEmpty()) {
            ASSERT_TRUE(WriteScript(script, "test \"$*\" = 'query default application/pdf' || exit 9\n" + c.script));
        }
        qputenv("PATH", folder.path().toLocal8Bit());
        const PdfViewers answer = AskDesktopForPdfViewers();
        qputenv("PATH", path);
        EXPECT_EQ(answer, c.answer);
    }
}

} // namespace
} // namespace zeltomir::shell
