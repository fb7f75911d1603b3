#include "app/CommandLine.h"

#include "core/ProgramInfo.h"

#include <gtest/gtest.h>

namespace zeltomir::app {
namespace {

TEST(CommandLineTest, FileHelpVersionAndUsageErrors)
{
    const struct {
        QStringList arguments; // after the program's name
        std::optional<QString> file;
        QString answerStart; // empty: the program starts
        int status;
    } cases[] = {
        {{}, std::nullopt, "", 0},
        {{"run.sso"}, "run.sso", "", 0},
        {{"--", "-odd.sso"}, "-odd.sso", "", 0},
        {{"--version"}, std::nullopt,
         "zeltomir " + core::VersionText() + "\nCopyright (C) 2026 The Zeltomir developers.\n", 0},
        {{"--help"}, std::nullopt, "Usage: zeltomir [options] [FILE]", 0},
        {{"-h", "run.sso"}, std::nullopt, "Usage: zeltomir [options] [FILE]", 0},
        {{"a.sso", "b.sso"}, std::nullopt, "zeltomir: only one file can be opened, not 2.", 2},
        {{"--bogus"}, std::nullopt, "zeltomir: Unknown option 'bogus'.", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line = ReadCommandLine(QStringList{"zeltomir"} + c.arguments);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.answer.value_or(QString()).left(c.answerStart.size()), c.answerStart);
        EXPECT_EQ(line.answer.has_value(), !c.answerStart.isEmpty());
        EXPECT_EQ(line.answerIsError, c.status != 0);
        EXPECT_EQ(line.exitStatus, c.status);
    }
}

} // namespace
} // namespace zeltomir::app
