#include "practice/ExerciseFiles.h"

#include "core/NumberText.h"
#include "core/TextFile.h"
#include "practice/PracticeRoutines.h"

#include <QStringDecoder>

#include <cfloat>
#include <cmath>
#include <new>

namespace zeltomir::practice {
namespace {

// Exercise files are a few hundred bytes; these limits only keep a foreign
// or damaged file from taking all memory.
constexpr qint64 MaxExerciseFileBytes = 1024 * 1024;
constexpr qsizetype MaxLineLength = 4096;

QString Number(float value)
{
    return core::FileNumber(value, core::Precision::Single);
}

// Files this program writes are UTF-8; a line that is not is taken as Latin-1.
QString DecodeLine(QByteArrayView bytes)
{
    // A U+FEFF that begins a line is part of its text: only the file's own
    // byte order mark, dealt with before the lines, is dropped.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString line = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : line;
}

QStringList SplitLines(QByteArray data)
{
    // Byte order marks left by editors, however many.
    while (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    QStringList lines;
    qsizetype pos = 0;
    while (pos < data.size()) {
        qsizetype end = data.indexOf('\n', pos);
        if (end < 0)
            end = data.size();
        qsizetype length = end - pos;
        if (length > 0 && data.at(pos + length - 1) == '\r')
            --length;
        lines.append(DecodeLine(QByteArrayView(data.constData() + pos, length)));
        pos = end + 1;
    }
    return lines;
}

class LineReader {
public:
    LineReader(const QStringList& lines, int required, const QString& kind) : m_lines(lines)
    {
        if (lines.size() < required)
            m_error = QStringLiteral("The file ends after %1 lines; %2 has %3.").arg(lines.size()).arg(kind).arg(required);
        for (int i = 0; m_error.isEmpty() && i < required; ++i) {
            if (lines.at(i).size() > MaxLineLength)
                m_error = QStringLiteral("Line %1 is longer than %2 characters.").arg(i + 1).arg(MaxLineLength);
        }
    }

    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }

    QString text(int lineNumber) const { return m_lines.at(lineNumber - 1); }

    float number(int lineNumber)
    {
        const double value = core::LeadingNumber(text(lineNumber));
        if (std::fabs(value) > static_cast<double>(FLT_MAX))
            fail(QStringLiteral("Line %1 holds a number too large for this exercise.").arg(lineNumber));
        return ToSingle(value);
    }

    QString letter(int lineNumber, const QString& allowed, const QString& what)
    {
        const QString letter = text(lineNumber).trimmed();
        if (letter.size() != 1 || !allowed.contains(letter))
            fail(QStringLiteral("Line %1 should hold the letter of the %2 (%3, %4 or %5).")
                     .arg(lineNumber)
                     .arg(what, allowed.at(0), allowed.at(1), allowed.at(2)));
        return letter;
    }

    void fail(const QString& message)
    {
        if (m_error.isEmpty())
            m_error = message;
    }

private:
    const QStringList& m_lines;
    QString m_error;
};

core::FileStatus WriteLines(const QStringList& lines, const QString& path)
{
    return core::WriteCrLfFile(path, lines);
}

core::FileStatus ReadLines(const QString& path, QStringList& lines)
{
    QByteArray data;
    if (core::FileStatus read = core::ReadBoundedFile(
            path, MaxExerciseFileBytes, QStringLiteral("The file is too large to be an exercise file."), data);
        !read)
        return read;
    if (core::FileStatus text = core::CheckTextBytes(data, QStringLiteral("an exercise file")); !text)
        return text;
    try {
        lines = SplitLines(data); // a million empty lines fit the size limit
    } catch (const std::bad_alloc&) {
        return core::NotEnoughMemoryToRead();
    }
    return core::FileStatus::success();
}

bool FitsSingle(double value)
{
    return std::isfinite(value) && std::fabs(value) <= static_cast<double>(FLT_MAX);
}

// A question has an answer only when the surface has one stationary point
// that the answer text can write; drawn models always do.
QString ModelFault(const TargetFileContents& contents)
{
    const QuadraticModel& m = contents.Model;
    const double b11 = m.b11;
    const double b22 = m.b22;
    const double b12 = m.b12;
    const QuadraticOptimum optimum = SolveQuadraticOptimum(m);
    if (b11 <= 0 || b22 <= 0 || 4 * b11 * b22 <= b12 * b12 || optimum.singular != 0 || !FitsSingle(optimum.u) ||
        !FitsSingle(optimum.v) || !std::isfinite(optimum.response))
        return QStringLiteral("The coefficients in lines 5 to 10 do not describe a process with a single maximum.");
    return {};
}

QString ModelFault(const VarianceFileContents& c)
{
    RobustModel m;
    m.c1 = c.c1;
    m.c2 = c.c2;
    m.c12 = c.c12;
    m.c11 = c.c11;
    m.c22 = c.c22;
    m.Slope = 1; // the hidden levels of the first two factors do not depend on it
    const RobustHiddenLevels hidden = SolveRobustHiddenLevels(m);
    if (hidden.singular != 0 || !std::isfinite(hidden.first) || !std::isfinite(hidden.second))
        return QStringLiteral("The coefficients in lines 6 to 10 do not describe a process with a single flat point.");
    return {};
}

void ReadFields(LineReader& read, TargetFileContents& loaded)
{
    QuadraticModel& m = loaded.Model;
    m.FirstFactor = read.letter(1, QStringLiteral("ABC"), QStringLiteral("first significant factor"));
    m.SecondFactor = read.letter(2, QStringLiteral("DEF"), QStringLiteral("second significant factor"));
    m.CentreFirst = read.number(3);
    m.CentreSecond = read.number(4);
    m.b0 = read.number(5);
    m.b1 = read.number(6);
    m.b2 = read.number(7);
    m.b12 = read.number(8);
    m.b11 = read.number(9);
    m.b22 = read.number(10);
    loaded.AnswerText = read.text(11);
}

void ReadFields(LineReader& read, VarianceFileContents& loaded)
{
    loaded.FirstFactor = read.letter(1, QStringLiteral("ABC"), QStringLiteral("first factor"));
    loaded.SecondFactor = read.letter(2, QStringLiteral("DEF"), QStringLiteral("second factor"));
    loaded.ReservedValue1 = read.number(3);
    loaded.ReservedValue2 = read.number(4);
    loaded.c1 = read.number(6);
    loaded.c2 = read.number(7);
    loaded.c12 = read.number(8);
    loaded.c11 = read.number(9);
    loaded.c22 = read.number(10);
    loaded.AnswerText = read.text(11);
    loaded.ProblemText = read.text(13);
}

// Every line is read into fresh contents, and the model they describe is
// checked, before any of it is handed over: a refused file changes nothing.
template <typename Contents>
core::FileStatus ParseLayout(const QStringList& lines, int lineCount, const QString& kind, Contents& contents)
{
    LineReader read(lines, lineCount, kind);
    if (read.failed())
        return core::FileStatus::failure(read.error());
    Contents loaded;
    ReadFields(read, loaded);
    if (!read.failed())
        read.fail(ModelFault(loaded));
    if (read.failed())
        return core::FileStatus::failure(read.error());
    contents = loaded;
    return core::FileStatus::success();
}

// A model held in full precision can pass the checks of opening and still
// fail them once its numbers are rounded to the seven digits a file keeps
// (a curvature product just above the squared interaction); such a file
// would be refused by the very program that wrote it.
QString ReadBackFault(const core::FileStatus& readBack)
{
    if (readBack)
        return {};
    return QStringLiteral("Written with the seven significant digits that the file keeps, this exercise could "
                          "not be opened again. %1")
        .arg(readBack.error);
}

} // namespace

QStringList TargetFileLines(const QuadraticProblem& target)
{
    const QuadraticModel& m = target.Model;
    return {m.FirstFactor, m.SecondFactor, Number(m.CentreFirst), Number(m.CentreSecond), Number(m.b0),
            Number(m.b1),  Number(m.b2),   Number(m.b12),         Number(m.b11),          Number(m.b22),
            target.AnswerText};
}

QStringList VarianceFileLines(const VarianceProblem& variance)
{
    const RobustModel& m = variance.Robust;
    return {m.FirstFactor, m.SecondFactor, Number(variance.ReservedValue1), Number(variance.ReservedValue2),
            QString(),     Number(m.c1),   Number(m.c2),  Number(m.c12), Number(m.c11), Number(m.c22),
            m.AnswerText,  QString(),      m.ProblemText};
}

QString TargetFileRefusal(const QuadraticProblem& target)
{
    TargetFileContents back;
    return ReadBackFault(ParseTargetFileLines(TargetFileLines(target), back));
}

core::FileStatus WriteTargetFile(const QuadraticProblem& target, const QString& path)
{
    if (const QString refusal = TargetFileRefusal(target); !refusal.isEmpty())
        return core::FileStatus::failure(refusal);
    return WriteLines(TargetFileLines(target), path);
}

QString VarianceFileRefusal(const VarianceProblem& variance)
{
    if (SolveRobustHiddenLevels(variance.Robust).singular != 0)
        return QStringLiteral("There is no question of the variance exercise that these files hold to save yet.");
    VarianceFileContents back;
    return ReadBackFault(ParseVarianceFileLines(VarianceFileLines(variance), back));
}

core::FileStatus WriteVarianceFile(const VarianceProblem& variance, const QString& path)
{
    if (const QString refusal = VarianceFileRefusal(variance); !refusal.isEmpty())
        return core::FileStatus::failure(refusal);
    return WriteLines(VarianceFileLines(variance), path);
}

core::FileStatus ParseTargetFileLines(const QStringList& lines, TargetFileContents& contents)
{
    return ParseLayout(lines, TargetFileLineCount, QStringLiteral("a target exercise file"), contents);
}

core::FileStatus ParseVarianceFileLines(const QStringList& lines, VarianceFileContents& contents)
{
    return ParseLayout(lines, VarianceFileLineCount, QStringLiteral("a variance exercise file"), contents);
}

core::FileStatus ReadTargetFile(const QString& path, TargetFileContents& contents)
{
    QStringList lines;
    if (core::FileStatus status = ReadLines(path, lines); !status)
        return status;
    return ParseTargetFileLines(lines, contents);
}

core::FileStatus ReadVarianceFile(const QString& path, VarianceFileContents& contents)
{
    QStringList lines;
    if (core::FileStatus status = ReadLines(path, lines); !status)
        return status;
    return ParseVarianceFileLines(lines, contents);
}

void ApplyTargetFile(const TargetFileContents& contents, QuadraticProblem& target)
{
    target.Model = contents.Model;
    target.AnswerText = contents.AnswerText;
    target.Answered = 0;
    target.OptimalResponse = SolveQuadraticOptimum(target.Model).response;
}

void ApplyVarianceFile(const VarianceFileContents& contents, VarianceProblem& variance)
{
    RobustModel& m = variance.Robust;
    m.FirstFactor = contents.FirstFactor;
    m.SecondFactor = contents.SecondFactor;
    m.c1 = contents.c1;
    m.c2 = contents.c2;
    m.c12 = contents.c12;
    m.c11 = contents.c11;
    m.c22 = contents.c22;
    m.AnswerText = contents.AnswerText;
    if (m.ThirdFactor == m.FirstFactor || m.ThirdFactor == m.SecondFactor)
        m.ThirdFactor = QStringLiteral("G");
    variance.ReservedValue1 = contents.ReservedValue1;
    variance.ReservedValue2 = contents.ReservedValue2;
    variance.Answered = 0;
}

} // namespace zeltomir::practice
