#include "core/ManualLocation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zeltomir::core {
namespace {

TEST(ManualPath, BesideTheProgramFirstThenTheInstalledDataFolder)
{
    const struct {
        const char* name;
        bool beside;
        bool installed;
        const char* found; // relative to the prefix
    } cases[] = {
        {"build folder", true, false, "bin/Zeltomir.pdf"},
        {"installed", false, true, "share/zeltomir/Zeltomir.pdf"},
        {"both", true, true, "bin/Zeltomir.pdf"},
        {"neither: where it belongs", false, false, "bin/Zeltomir.pdf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir prefix;
        const QDir root(prefix.path());
        ASSERT_TRUE(root.mkpath("bin") && root.mkpath("share/zeltomir"));
        for (const auto& [wanted, file] : {std::pair(c.beside, "bin/Zeltomir.pdf"),
                                          std::pair(c.installed, "share/zeltomir/Zeltomir.pdf")}) {
            QFile pdf(root.filePath(QLatin1String(file)));
            ASSERT_TRUE(!wanted || pdf.open(QIODevice::WriteOnly));
        }
        EXPECT_EQ(ManualPath(root.filePath("bin")), root.filePath(QLatin1String(c.found)));
    }
}

} // namespace
} // namespace zeltomir::core
