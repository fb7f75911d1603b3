// zeltomir-manual: renders the user manual from its Markdown text to the
// PDF that Help opens. Run by the build; needs no display.

#include "ManualPdf.h"
#include "ManualSource.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHashSeed>

#include <cstdio>

namespace {

constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 2;

int Fail(const QString& message)
{
    std::fprintf(stderr, "zeltomir-manual: %s\n", qUtf8Printable(message));
    return ExitFailure;
}

} // namespace

int main(int argc, char** argv)
{
    // The PDF writer keeps its fonts in a hash and writes them in its
    // order; a fixed seed gives the same file from the same text every run.
    QHashSeed::setDeterministicGlobalSeed();
    // Laying out text needs fonts, and so a GUI application, but never a
    // screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);

    const QStringList arguments = QGuiApplication::arguments().mid(1);
    if (arguments.size() != 2)
        return Fail(QStringLiteral("usage: zeltomir-manual MANUAL.md OUTPUT.pdf"));

    const zeltomir::manual::ManualSource source = zeltomir::manual::ReadManualSource(arguments[0]);
    if (!source.ok())
        return Fail(source.error);
    const zeltomir::manual::PdfResult written = zeltomir::manual::WriteManualPdf(
        source.markdown, QFileInfo(arguments[0]).absolutePath(), arguments[1]);
    if (!written.ok())
        return Fail(written.error);
    return ExitSuccess;
}
