// A whole `zeltomir-cli optimize` session on any options and input. The
// bytes up to the first empty line are the arguments, one a line; the rest
// is standard input (results, "@" levels, the "again", "failed" and
// "correct" lines, anything). Whatever they hold,
// the session ends with status 0 or 2 and never aborts, each event it
// writes keeps to a line of its own, and every problem file the session
// was given or saved reads back through the program's one read; a session
// that ends well has saved what --save names.
//
// Files stay in a folder of the target's own: a file name is cut down to
// its letters, digits, dots, dashes and underscores (so that no name leads
// out of the folder), and each run starts with a folder that holds two
// problem files only: open.sso, saved with trial 5 on show, and
// initial.sso, saved after the results of its initial simplex.

#include "FuzzCheck.h"

#include "cli/CliHelp.h"
#include "cli/OptimizeCommand.h"

#include "simplex/ReadBack.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

using namespace zeltomir;

namespace {

const QString& Folder()
{
    static const QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid(), "no temporary folder: " + folder.errorString());
    static const QString path = folder.path();
    return path;
}

// The bytes a session saves with the given input, over two factors from 0 to 16.
QByteArray SavedBytes(const std::string& input)
{
    const QString file = QDir(Folder()).filePath(QStringLiteral("seed.sso"));
    std::istringstream in(input);
    std::ostringstream out;
    cli::OptimizeCommand(in, out).run({"--factor", "A=0..16/1", "--factor", "B=0..16/1", "--save", file});
    QFile saved(file);
    FUZZ_CHECK(saved.open(QIODevice::ReadOnly), "the seed problem was not saved: " + QString::fromStdString(out.str()));
    return saved.readAll();
}

struct ProblemFile {
    QString name;
    QByteArray bytes;
};

const std::vector<ProblemFile>& GivenFiles()
{
    static const std::vector<ProblemFile> files = [] {
        QLocale::setDefault(QLocale::c()); // as the program's main sets it
        const std::string initial = "1 @ 4 4\n3 @ 8 4\n2 @ 4 8\n";
        return std::vector<ProblemFile>{{QStringLiteral("open.sso"), SavedBytes(initial + "5\n")},
                                        {QStringLiteral("initial.sso"), SavedBytes(initial)}};
    }();
    return files;
}

void ResetFolder()
{
    QDir folder(Folder());
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
        folder.remove(name);
    for (const ProblemFile& given : GivenFiles()) {
        QFile file(folder.filePath(given.name));
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(given.bytes) == given.bytes.size(),
                   "cannot write " + given.name);
    }
}

// A file name kept inside the folder; an empty name stays empty, for the
// options' own refusal.
QString InFolder(const QString& name)
{
    QString kept;
    for (const QChar c : name) {
        if (kept.size() < 40 && ((c.isLetterOrNumber() && c.unicode() < 128) || c == '.' || c == '-' || c == '_'))
            kept.append(c);
    }
    if (name.isEmpty())
        return name;
    return QDir(Folder()).filePath(kept.isEmpty() ? QStringLiteral("unnamed") : kept);
}

struct Arguments {
    QStringList list;
    QStringList opened; // what --open names, in the folder
    QStringList saved;  // what --save names
    bool answersAtOnce = false; // --help or --version: no session
};

// Each file name moved into the folder, whichever way it is given: as the
// option's next argument (unless that is an option itself) or after "=".
Arguments ReadArguments(const QStringList& given)
{
    const QStringList fileOptions{"--open", "--save", "--csv", "--xlsx"};
    Arguments arguments;
    for (qsizetype i = 0; i < given.size(); ++i) {
        QString argument = given[i];
        const QString name = argument.section(QLatin1Char('='), 0, 0);
        arguments.answersAtOnce = arguments.answersAtOnce || name == QLatin1String("--help")
            || name == QLatin1String("-h") || name == QLatin1String("--version");
        std::optional<QString> file;
        if (fileOptions.contains(name) && argument.contains(QLatin1Char('='))) {
            file = InFolder(argument.section(QLatin1Char('='), 1));
            argument = name + QLatin1Char('=') + *file;
        }
        arguments.list.append(argument);
        if (fileOptions.contains(argument) && i + 1 < given.size() && !given[i + 1].startsWith(QLatin1String("--"))) {
            file = InFolder(given[++i]);
            arguments.list.append(*file);
        }
        if (file && name == QLatin1String("--open"))
            arguments.opened.append(*file);
        else if (file && name == QLatin1String("--save"))
            arguments.saved.append(*file);
    }
    return arguments;
}

bool IsEventLine(const std::string& line)
{
    for (const char* start : {"initial ", "trial ", "message ", "vertex ", "{\"event\":\""}) {
        if (line.rfind(start, 0) == 0)
            return true;
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t blank = bytes.find("\n\n");
    const std::string head = bytes.substr(0, blank);
    const std::string input = blank == std::string::npos ? std::string() : bytes.substr(blank + 2);
    QStringList given;
    if (!head.empty())
        given = QString::fromUtf8(head.data(), static_cast<qsizetype>(head.size())).split(QLatin1Char('\n'));
    const Arguments arguments = ReadArguments(given);

    ResetFolder();
    std::istringstream in(input);
    std::ostringstream out;
    const int status = cli::OptimizeCommand(in, out).run(arguments.list);
    FUZZ_CHECK(status == cli::ExitSuccess || status == cli::ExitCannotGoOn,
               QStringLiteral("exit status %1").arg(status));
    if (!arguments.answersAtOnce) {
        std::istringstream written(out.str());
        for (std::string line; std::getline(written, line);)
            FUZZ_CHECK(IsEventLine(line), "an output line that is no event: " + QString::fromStdString(line.substr(0, 200)));
    }

    const bool sessionRan = status == cli::ExitSuccess && !arguments.answersAtOnce;
    for (const QString& path : arguments.opened + arguments.saved) {
        const QFileInfo file(path);
        if (!file.exists()) {
            FUZZ_CHECK(!sessionRan || !arguments.saved.contains(path), "a session that ended well saved nothing: " + path);
            continue;
        }
        if (!file.isFile())
            continue; // the folder itself, by a name cut down to "." or ".."
        core::OptimizationProblem problem;
        core::ResetToStartup(problem);
        const core::FileStatus read = simplex::ReadProblemFile(path, problem);
        FUZZ_CHECK(read, "a problem file does not read back: " + path + ": " + read.error);
    }
    return 0;
}
