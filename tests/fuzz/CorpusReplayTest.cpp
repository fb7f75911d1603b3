// Every input of the seed corpus through the properties its fuzz target
// checks: they keep holding in every test build, clang or not, and a
// finding saved into the corpus stays a test.

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>

extern "C" int FuzzStateFile(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzExerciseFiles(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzTabText(const std::uint8_t* data, std::size_t size);
extern "C" int FuzzNumberText(const std::uint8_t* data, std::size_t size);

namespace {

TEST(FuzzCorpusTest, EveryInputKeepsItsTargetsProperties)
{
    const struct {
        const char* folder;
        int (*target)(const std::uint8_t*, std::size_t);
    } targets[] = {
        {"state_file", FuzzStateFile},
        {"exercise_files", FuzzExerciseFiles},
        {"tab_text", FuzzTabText},
        {"number_text", FuzzNumberText},
    };
    for (const auto& t : targets) {
        const QDir folder(QStringLiteral(ZELTOMIR_FUZZ_CORPUS "/") + QLatin1String(t.folder));
        const QStringList inputs = folder.entryList(QDir::Files, QDir::Name);
        EXPECT_GE(inputs.size(), 5) << t.folder << ": the seeds are missing";
        for (const QString& input : inputs) {
            SCOPED_TRACE(QStringLiteral("%1/%2").arg(QLatin1String(t.folder), input).toStdString());
            QFile file(folder.filePath(input));
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            try {
                t.target(reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size()));
            } catch (const std::runtime_error& broken) {
                ADD_FAILURE() << broken.what();
            }
        }
    }
}

} // namespace
