#include "core/InstallLayout.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeltomir::core {
namespace {

// Installed means run from the folder the programs were installed into,
// however the path reaches it; nothing else about the tree counts.
TEST(RunsInstalled, ThePathOfTheProgramAgainstTheInstalledFolder)
{
    QTemporaryDir root;
    const QDir dir(root.path());
    ASSERT_TRUE(dir.mkpath("usr/bin") && dir.mkpath("build/bin") && dir.mkpath("usr/share/doc/zeltomir"));
    ASSERT_TRUE(QFile::link(dir.filePath("usr/bin"), dir.filePath("bin")));
    const QString installed = dir.filePath("usr/bin");
    const struct {
        const char* name;
        QString programFolder;
        bool runsInstalled;
    } cases[] = {
        {"the installed folder", installed, true},
        {"through a link to it", dir.filePath("bin"), true},
        {"through ..", dir.filePath("usr/share/../bin"), true},
        {"a build tree", dir.filePath("build/bin"), false},
        {"a folder that does not exist", dir.filePath("gone/bin"), false},
        {"no folder at all", QString(), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(RunsInstalled(c.programFolder, installed), c.runsInstalled);
    }
    EXPECT_FALSE(RunsInstalled(dir.filePath("build/bin"), dir.filePath("gone/bin")));
}

} // namespace
} // namespace zeltomir::core
