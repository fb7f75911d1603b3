// The manual that Help opens: the build renders it into the program's
// folder, which is also this test's folder. The rendering tool is run here
// too, on small texts, for what it makes of a manual's structure and its
// pictures, and for its refusals, which must leave an earlier manual as it
// was.

#include "core/ProgramInfo.h"
#include "core/SnapshotFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace zeltomir::app {
namespace {

const QString ToolName = QStringLiteral("zeltomir-manual");

QString InProgramFolder(const QString& name)
{
    return QDir(core::ProgramFolder()).filePath(name);
}

// Test runs that built the tests alone have neither the tool nor the manual;
// once the tool is there, the build step that runs it must have run too.
bool ToolBuilt()
{
    return QFileInfo(InProgramFolder(ToolName)).isExecutable();
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The number of page objects of a PDF ("/Type /Page", not "/Pages").
int PageCount(const QByteArray& pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    return int(QString::fromLatin1(pdf).count(page));
}

// The document title from the PDF's information dictionary: a literal
// string in UTF-16 with a byte order mark, as the PDF writer stores it.
std::optional<QString> PdfTitle(const QByteArray& pdf)
{
    const qsizetype start = pdf.indexOf("/Title (");
    if (start < 0)
        return std::nullopt;
    QByteArray bytes;
    for (qsizetype i = start + 8; i < pdf.size(); ++i) {
        char c = pdf[i];
        if (c == ')')
            break;
        if (c == '\\' && i + 1 < pdf.size()) {
            c = pdf[++i];
            if (c >= '0' && c <= '7') {
                int value = 0;
                for (int digits = 0; digits < 3 && i < pdf.size() && pdf[i] >= '0' && pdf[i] <= '7'; ++digits)
                    value = value * 8 + (pdf[i++] - '0');
                --i;
                c = char(value);
            } else if (c == 'n') {
                c = '\n';
            }
        }
        bytes.append(c);
    }
    if (!bytes.startsWith("\xFE\xFF"))
        return QString::fromLatin1(bytes);
    QString title;
    for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
        title.append(QChar(char16_t((uchar(bytes[i]) << 8) | uchar(bytes[i + 1]))));
    return title;
}

struct ToolRun {
    int exitCode = -1;
    QString errors;
};

// `variables` are NAME=VALUE pairs added to the tool's environment.
ToolRun RunTool(const QStringList& arguments, const QStringList& variables = {})
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    for (const QString& variable : variables)
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    tool.setProcessEnvironment(environment);
    tool.start(InProgramFolder(ToolName), arguments);
    if (!tool.waitForFinished(120000))
        return {};
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAllStandardError())};
}

TEST(ManualTest, TheManualNextToTheProgramIsACompletePdfWithTitleAndChapters)
{
    const QString manual = InProgramFolder(core::ManualFileName);
    if (!QFileInfo::exists(manual)) {
        if (!ToolBuilt())
            GTEST_SKIP() << "the manual is not built in this build folder";
        FAIL() << "the manual tool is built, but " << manual.toStdString() << " is missing";
    }
    const QByteArray pdf = ReadAll(manual);
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.trimmed().endsWith("%%EOF")) << "the file ends before the PDF does";
    // Title page, contents and a page per chapter at the very least.
    EXPECT_GE(PageCount(pdf), 12);
    EXPECT_EQ(PdfTitle(pdf), QStringLiteral("Zeltomir User Manual"));
}

class ManualToolTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!ToolBuilt())
            GTEST_SKIP() << "the manual tool is not built in this build folder";
        ASSERT_TRUE(m_folder.isValid());
    }

    QString path(const QString& name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
};

TEST_F(ManualToolTest, ChaptersStartPagesAfterTitleAndContents)
{
    const QString filler = QStringLiteral("Text of a paragraph.\n\n");
    struct Case {
        const char* what;
        QString markdown;
        int pages;
        QString title;
    };
    const Case cases[] = {
        // Title page, contents, one page per chapter; the version is filled in.
        {"three chapters", QStringLiteral("# Guide {{version}}\n\nSubtitle\n\n# One\n\n") + filler
                               + QStringLiteral("## Part\n\nText.\n\n# Two\n\nText.\n\n# Three\n\nText.\n"),
         5, QStringLiteral("Guide ") + core::VersionText()},
        // A single top heading is no title page: the text is laid out as it stands.
        {"no title page", QStringLiteral("# Notes\n\n") + filler + QStringLiteral("## Part\n\nText.\n"), 1,
         QString()},
        // A chapter longer than a page runs on over further pages.
        {"long chapter", QStringLiteral("# Guide\n\n# Long\n\n") + filler.repeated(120) + QStringLiteral("# Short\n"),
         -1, QStringLiteral("Guide")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString source = path(QStringLiteral("manual.md"));
        const QString output = path(QStringLiteral("manual.pdf"));
        ASSERT_TRUE(WriteAll(source, c.markdown.toUtf8()));
        const ToolRun run = RunTool({source, output});
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        const QByteArray pdf = ReadAll(output);
        if (c.pages > 0)
            EXPECT_EQ(PageCount(pdf), c.pages);
        else
            EXPECT_GE(PageCount(pdf), 5); // title, contents, at least two pages of text, and the short chapter
        EXPECT_EQ(PdfTitle(pdf).value_or(QString()), c.title);
    }
}

TEST_F(ManualToolTest, PicturesFitThePageAndStayWithTheirCaptions)
{
    // 4000 x 1500 pixels are scaled to the text width; 400 x 6000, taller
    // than a page, to fit on the page below its section heading, where
    // heading, picture and caption all go.
    ASSERT_TRUE(QImage(4000, 1500, QImage::Format_RGB32).save(path(QStringLiteral("wide.png"))));
    ASSERT_TRUE(QImage(400, 6000, QImage::Format_RGB32).save(path(QStringLiteral("tall.png"))));
    const QString source = path(QStringLiteral("manual.md"));
    const QString output = path(QStringLiteral("manual.pdf"));
    ASSERT_TRUE(WriteAll(source, "# Notes\n\nText.\n\n![A wide *picture*](wide.png)\n\n## Tall\n\n"
                                 "![A tall picture](tall.png)\n\nAfter.\n"));
    const ToolRun run = RunTool({source, output});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QByteArray pdf = ReadAll(output);
    EXPECT_EQ(PageCount(pdf), 2);
    EXPECT_EQ(pdf.count("/Subtype /Image"), 2);
}

// Two builds of one commit give the same manual, dated by
// SOURCE_DATE_EPOCH in UTC whatever the time zone, not by the moment of the
// run.
TEST_F(ManualToolTest, TwoRunsWithTheBuildsSourceDateGiveTheSameManual)
{
    const QString source = path(QStringLiteral("manual.md"));
    ASSERT_TRUE(WriteAll(source, "# Notes\n\nText.\n"));
    QByteArray first;
    for (const QString& name : {QStringLiteral("first.pdf"), QStringLiteral("second.pdf")}) {
        const ToolRun run = RunTool({source, path(name)},
                                    {QStringLiteral("SOURCE_DATE_EPOCH=1700000000"), QStringLiteral("TZ=Europe/Berlin")});
        ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
        const QByteArray pdf = ReadAll(path(name));
        EXPECT_TRUE(pdf.contains("/CreationDate (D:20231114221320")) << pdf.left(300).toStdString();
        if (first.isEmpty())
            first = pdf;
        else
            EXPECT_TRUE(pdf == first) << "the second run's PDF differs from the first's";
    }
}

TEST_F(ManualToolTest, BadInputIsRefusedAndAnEarlierManualIsKept)
{
    const QString good = path(QStringLiteral("good.md"));
    const QString blank = path(QStringLiteral("blank.md"));
    const QString latin1 = path(QStringLiteral("latin1.md"));
    const QString noPicture = path(QStringLiteral("nopicture.md"));
    const QString badPicture = path(QStringLiteral("badpicture.md"));
    const QString inlinePicture = path(QStringLiteral("inline.md"));
    const QString earlier = path(QStringLiteral("earlier.pdf"));
    ASSERT_TRUE(WriteAll(good, "# Guide\n\n# One\n\nText.\n"));
    ASSERT_TRUE(WriteAll(blank, " \n\t\n"));
    ASSERT_TRUE(WriteAll(latin1, "# Gr\xFC\xDF" "e\n"));
    ASSERT_TRUE(WriteAll(noPicture, "# One\n\n![Plot](images/missing.png)\n"));
    ASSERT_TRUE(WriteAll(path(QStringLiteral("text.png")), "not a picture"));
    ASSERT_TRUE(WriteAll(badPicture, "# One\n\n![Plot](text.png)\n"));
    ASSERT_TRUE(WriteAll(inlinePicture, "# One\n\nSee ![Plot](text.png) here.\n"));
    const QByteArray earlierManual = "%PDF-1.4 an earlier manual";

    struct Case {
        QStringList arguments;
        const char* complaint;
    };
    const Case cases[] = {
        {{}, "usage: zeltomir-manual MANUAL.md OUTPUT.pdf"},
        {{good}, "usage:"},
        {{good, earlier, earlier}, "usage:"},
        {{path(QStringLiteral("missing.md")), earlier}, "the file does not exist."},
        {{m_folder.path(), earlier}, "the name is that of a folder, not a file."},
        {{blank, earlier}, "the file holds no text."},
        {{latin1, earlier}, "the file is not UTF-8 text."},
        {{good, m_folder.path()}, "the name is that of a folder, not a file."},
        {{good, path(QStringLiteral("no/such/folder/out.pdf"))}, "the file cannot be created"},
        {{noPicture, earlier}, "images/missing.png: the file does not exist."},
        {{badPicture, earlier}, "text.png: the file cannot be read as a picture"},
        {{inlinePicture, earlier}, "text.png: a picture is shown only as a paragraph of its own"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(QLatin1Char(' ')).toStdString());
        ASSERT_TRUE(WriteAll(earlier, earlierManual));
        const ToolRun run = RunTool(c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_TRUE(run.errors.contains(QLatin1String(c.complaint))) << run.errors.toStdString();
        EXPECT_EQ(ReadAll(earlier), earlierManual);
    }
}

} // namespace
} // namespace zeltomir::app
