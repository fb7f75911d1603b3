// Printing the active simplex window's grid, to a PDF file in place of the
// printer, and the one message for every failure.

#include "ProgramHarness.h"

#include "app/DocumentCommands.h"
#include "app/PrinterProvider.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"
#include "simplex/windows/FactorWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"
#include "simplex/windows/VertexSummaryWindow.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QToolButton>

#include <gtest/gtest.h>

namespace zeltomir::app::test {
namespace {

const QList<QStringList> KnownFactors{{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}};

// Prints into a PDF file; an empty path gives no printer at all.
class TestPrinters final : public PrinterProvider {
public:
    explicit TestPrinters(QString path) : m_path(std::move(path)) {}

    std::unique_ptr<QPrinter> makePrinter() override
    {
        ++made;
        if (m_path.isEmpty())
            return nullptr;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(m_path);
        return printer;
    }

    int made = 0;

private:
    QString m_path;
};

// The page objects of a PDF file (its page tree nodes say "/Pages").
int PdfPageCount(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(text.count(page));
}

class PrintCommandTest : public testing::Test {
protected:
    TestPrinters& usePrinter(const QString& path)
    {
        auto printers = std::make_unique<TestPrinters>(path);
        TestPrinters& used = *printers;
        h.documents().print().setPrinterProvider(std::move(printers));
        return used;
    }

    void expectPrintingError()
    {
        const auto messages = h.dialogs.messages();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages.front().title, "Notice");
        EXPECT_EQ(messages.front().text, "There was an error while printing.");
        EXPECT_EQ(messages.front().icon, core::MessageIcon::Critical);
        EXPECT_EQ(messages.front().buttons, shell::MessageButtons::Ok);
    }

    ProgramHarness h;
};

TEST_F(PrintCommandTest, TheFactorGridPrintsOnOnePage)
{
    const QString pdf = h.path("factors.pdf");
    usePrinter(pdf);
    h.fillFactors(KnownFactors, false);
    h.clickTool("btnPrint");
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_EQ(h.windows().factorWindow()->grid()->pagesPrinted(), 1);
    EXPECT_TRUE(h.dialogs.requests().empty());
}

TEST_F(PrintCommandTest, ALongGridIsPaginated)
{
    const QString pdf = h.path("hundred.pdf");
    usePrinter(pdf);
    ProgramHarness::typeInto(h.windows().setupWindow()->countBox(), "100");
    ProgramHarness::click(h.windows().setupWindow()->defineFactorsButton());
    shell::GridWidget& grid = *h.windows().factorWindow()->grid();
    ASSERT_EQ(grid.maxRows(), 100);
    h.triggerMenu("mnufileprint");
    EXPECT_GE(grid.pagesPrinted(), 2);
    EXPECT_EQ(PdfPageCount(pdf), grid.pagesPrinted());
    EXPECT_TRUE(h.dialogs.requests().empty());
}

TEST_F(PrintCommandTest, TheStepsWindowAndTheVertexSummaryPrintTheirGrids)
{
    h.startKnownRun();
    h.nextStep("77.26");

    const QString steps = h.path("steps.pdf");
    usePrinter(steps);
    h.triggerMenu("mnufileprint");
    EXPECT_EQ(PdfPageCount(steps), 1);
    EXPECT_EQ(h.windows().stepsWindow()->grid()->pagesPrinted(), 1);

    const QString summary = h.path("summary.pdf");
    usePrinter(summary);
    h.triggerMenu("mnuVertexSummary");
    ASSERT_EQ(h.runTime().ActiveWindow, "frmProgress");
    h.clickTool("btnPrint");
    EXPECT_EQ(PdfPageCount(summary), 1);
    EXPECT_TRUE(h.dialogs.requests().empty());
}

TEST_F(PrintCommandTest, WindowsWithoutAGridToPrintDoNothing)
{
    TestPrinters& printers = usePrinter(h.path("nothing.pdf"));
    ASSERT_EQ(h.runTime().ActiveWindow, "SeqSimplexInitialize");
    EXPECT_FALSE(h.mainWindow().toolButton("btnPrint")->isEnabled());
    h.triggerMenu("mnufileprint");

    h.triggerMenu("mnuPracticeTOsimple");
    h.triggerMenu("mnufileprint");

    // A window the code names that is no longer open.
    h.runTime().ActiveWindow = QStringLiteral("frmProgress");
    h.triggerMenu("mnufileprint");

    EXPECT_EQ(printers.made, 0);
    EXPECT_FALSE(QFile::exists(h.path("nothing.pdf")));
    EXPECT_TRUE(h.dialogs.requests().empty());
}

TEST_F(PrintCommandTest, NoPrinterIsReportedOnce)
{
    TestPrinters& printers = usePrinter(QString());
    h.fillFactors(KnownFactors, false);
    h.dialogs.answerMessage(shell::MessageAnswer::Ok);
    h.clickTool("btnPrint");
    expectPrintingError();
    EXPECT_EQ(printers.made, 1);
}

TEST_F(PrintCommandTest, APrinterThatFailsIsReportedOnce)
{
    usePrinter(h.path("no such folder/factors.pdf"));
    h.fillFactors(KnownFactors, false);
    h.dialogs.answerMessage(shell::MessageAnswer::Ok);
    h.triggerMenu("mnufileprint");
    expectPrintingError();
}

TEST_F(PrintCommandTest, WithoutADefaultPrinterTheProgramReportsTheError)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    EXPECT_EQ(DefaultPrinterProvider().makePrinter(), nullptr);
    h.fillFactors(KnownFactors, false);
    h.dialogs.answerMessage(shell::MessageAnswer::Ok);
    h.clickTool("btnPrint");
    expectPrintingError();
}

} // namespace
} // namespace zeltomir::app::test
