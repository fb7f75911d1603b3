#pragma once

// A live main window on the offscreen platform, with its dialogs answered by
// a script, quitting turned into a flag and the manual opener recorded.

#include "core/ProblemRecord.h"
#include "gui/ScriptedDialogService.h"
#include "shell/MainWindow.h"
#include "shell/ManualOpener.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace zeltomir::shell {

// Lists compared as one readable string, so a failure shows the entries.
inline std::string Joined(const QStringList& list)
{
    return list.join(QStringLiteral(" | ")).toStdString();
}

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(dialogs, runTime);
        window->setQuitHook([this] { ++quitCount; });
        window->setDocumentOpener([this](const QString& path) {
            openedDocuments << path;
            return true;
        });
        window->manualOpener().setViewerQuery([this] { return pdfViewers; });
        window->resize(900, 600);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void TearDown() override
    {
        window.reset();
        dialogs.expectAllAnswered();
    }

    // Activates the main window so that focus changes really happen.
    void activate()
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QToolButton* button(const char* name) const
    {
        auto* found = window->findChild<QToolButton*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << "no tool button " << name;
        return found;
    }

    QAction* action(const char* name) const
    {
        auto* found = window->findChild<QAction*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << "no menu item " << name;
        return found;
    }

    testsupport::ScriptedDialogService dialogs;
    core::RunTimeState runTime;
    std::unique_ptr<MainWindow> window;
    int quitCount = 0;
    QStringList openedDocuments;
    // What the desktop answers when asked for an application of PDF files.
    PdfViewers pdfViewers = PdfViewers::Some;
};

} // namespace zeltomir::shell
