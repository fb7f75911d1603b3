#include "core/StateFile.h"
#include "core/VectorState.h"

#include "core/TextFile.h"

#include "core/NumberText.h"

#include <QStringDecoder>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>

namespace zeltomir::core {

namespace {

// Text fields hold one line each; a line break inside one would shift every
// later line, and a NUL character would make the whole file binary data:
// either leaves a file that can never be read back.
QString OneLine(const QString& text)
{
    const auto breaks = [](QChar c) { return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.isNull(); };
    if (std::none_of(text.begin(), text.end(), breaks))
        return text;
    QString line = text;
    std::replace_if(line.begin(), line.end(), breaks, QLatin1Char(' '));
    return line;
}

bool IsStepType(const QString& text)
{
    return text == QLatin1String("Fixed") || text == QLatin1String("Variable");
}

template <typename T>
T SlotOr(const std::vector<T>& table, int slot)
{
    return slot >= 0 && static_cast<std::size_t>(slot) < table.size() ? table[static_cast<std::size_t>(slot)] : T{};
}

// The bytes of a state file, appended line by line straight into one
// buffer: a long history has millions of number lines, and a string or a
// call through a function object for each would cost more than the digits.
// Written to a file, the buffer goes out in pieces of about a megabyte, so a
// long history is not held a second time as text.
class StateFileText {
public:
    static constexpr qsizetype PieceBytes = 1 << 20;

    // The whole text in one buffer, for take().
    explicit StateFileText(qsizetype expectedLines) { m_bytes.reserve(expectedLines * 22); }
    // Each full piece handed to `file` as it fills.
    explicit StateFileText(FileInPieces& file) : m_file(&file) { m_bytes.reserve(PieceBytes + 4096); }

    void number(double value)
    {
        AppendFileNumber(m_bytes, value, Precision::Double);
        endLine();
    }
    void integer(int value)
    {
        AppendFileInteger(m_bytes, value);
        endLine();
    }
    void text(const QString& value)
    {
        m_bytes.append(OneLine(value).toUtf8());
        endLine();
    }
    QByteArray take() { return std::move(m_bytes); }
    // Hands what is left to the file.
    void finish()
    {
        m_file->write(m_bytes);
        m_bytes.resize(0);
    }

private:
    void endLine()
    {
        m_bytes.append("\r\n", 2);
        if (m_file && m_bytes.size() >= PieceBytes)
            finish();
    }

    QByteArray m_bytes;
    FileInPieces* m_file = nullptr;
};

// Lines needed for k factors and n vertices, following the writer's loops.
qint64 StateFileLineCount(int k, int n)
{
    const qint64 factors = std::max(k, 0);
    const qint64 columns = std::max(k + 4, 0);
    const qint64 rows = std::max(k + 1, 0);
    return 15 + 6 * factors + columns * rows + (3 + columns) * std::max(n, 0);
}

// The optional sections after the last field, each opened by its marker
// line, in this order; a problem that needs none writes none, so its file is
// the one it always was. A reader that knows no sections refuses the file.
const QString ResponsesMarker = QStringLiteral("[Responses]");
const QString SimulationMarker = QStringLiteral("[Simulation]");
const QStringList SectionMarkers{ResponsesMarker, SimulationMarker};

void WriteResponses(const OptimizationProblem& p, StateFileText& out)
{
    if (p.Responses.empty())
        return;
    const int m = static_cast<int>(p.Responses.size());
    out.text(ResponsesMarker);
    out.integer(m);
    for (const ResponseDefinition& response : p.Responses) {
        out.text(response.name);
        out.text(ResponseGoalWord(response.goal));
        for (const double value : {response.lower, response.upper, response.target, response.importance,
                                   response.shape, response.shapeAbove})
            out.number(value);
    }
    out.integer(p.NumVertices);
    for (int v = 1; v <= p.NumVertices; ++v) {
        for (int i = 1; i <= m; ++i)
            out.number(p.VertexResponses.value(i, v));
    }
}

// The seed is written whole, as digits, not as a number of the file's
// precision: every one of its bits decides the noise of the run.
void WriteSimulation(const OptimizationProblem& p, StateFileText& out)
{
    if (p.SimulatedProcess.isEmpty())
        return;
    out.text(SimulationMarker);
    out.text(p.SimulatedProcess);
    out.number(p.SimulationNoise);
    out.text(QLatin1Char(' ') + QString::number(p.SimulationSeed) + QLatin1Char(' '));
}

void WriteSections(const OptimizationProblem& p, StateFileText& out)
{
    WriteResponses(p, out);
    WriteSimulation(p, out);
}

// The file in its order. The loops run 1..count, so a count below 1 (the
// setup window lets 0 and negative factor counts through) gives no lines.
void WriteStateText(const OptimizationProblem& p, StateFileText& out)
{
    ClearUpperVectorState();
    const int k = p.NumFactors;
    const int n = p.NumVertices;

    out.text(p.Stage.text());
    out.integer(k);
    out.integer(n);
    for (int i = 1; i <= k; ++i) {
        const Factor factor = SlotOr(p.Factors, i);
        out.text(factor.FactorName);
        out.number(factor.LowerLimit);
        out.number(factor.UpperLimit);
        out.integer(factor.SignificantDigits);
    }
    for (int c = 1; c <= k + 4; ++c) {
        for (int j = 1; j <= k + 1; ++j)
            out.number(p.Simplex.value(c, j));
    }
    out.number(p.PreviousResult);
    out.number(p.LastResult);
    for (int v = 1; v <= n; ++v) {
        out.number(SlotOr(p.TrialPoint, v));
        out.number(SlotOr(p.ReservedVertexNumbers, v));
        out.integer(SlotOr(p.ReservedVertexIntegers, v));
    }
    out.text(p.CurrentVertexType.text());
    out.integer(p.MaxFactors);
    for (int i = 1; i <= k; ++i) {
        out.number(SlotOr(p.StepVector, i));
        out.number(SlotOr(p.Centroid, i));
    }
    for (int c = 1; c <= k + 4; ++c) {
        for (int v = 1; v <= n; ++v)
            out.number(p.VertexHistory.value(c, v));
    }
    out.text(p.Instruction);
    out.text(p.InstructionFlag);
    out.text(p.PreviousVertexType.text());
    out.text(p.Goal.text());
    out.number(p.TargetValue);
    out.number(p.RecordResponse);
    out.text(p.OutOfLimits);
    out.text(p.InitialSimplexDefined);
    // The step type follows the last field, on a line a reader that stops
    // there never sees; the start-up snapshot, before any is chosen, has none.
    if (IsStepType(p.StepType))
        out.text(p.StepType);
    WriteSections(p, out);
}

QByteArray BuildStateFileBytes(const OptimizationProblem& p)
{
    StateFileText out(StateFileLineCount(p.NumFactors, p.NumVertices) + 1);
    WriteStateText(p, out);
    return out.take();
}

// ---------------------------------------------------------------- reading

// Limits that keep a damaged or foreign file from taking all memory, beside
// MaxStateFileBytes.
constexpr qsizetype MaxLineLength = MaxStateFileLineLength;
constexpr int MaxVertices = std::numeric_limits<std::int16_t>::max();

struct ParseError {
    QString message;
};

bool IsAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Files this program writes are UTF-8. Older files hold their names in
// Windows-1252, which is hardly ever valid UTF-8, so a line that does not
// decode as UTF-8 is taken as Windows-1252.
QString DecodeLine(QByteArrayView bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    // A U+FEFF that begins a line is part of its text: only the file's own
    // byte order mark, dealt with before the lines, is dropped.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString line = utf8.decode(bytes);
    if (!utf8.hasError())
        return line;
    line.clear();
    for (const char c : bytes)
        line.append(Windows1252Char(static_cast<unsigned char>(c)));
    return line;
}

// The LF bytes of the data, counted in blocks a byte-wide counter cannot
// overflow in, which compilers turn into wide compares: a long history has
// half a million lines.
qsizetype CountLineEnds(QByteArrayView data)
{
    constexpr qsizetype Block = 255;
    qsizetype total = 0;
    const char* at = data.data();
    for (qsizetype left = data.size(); left > 0;) {
        const qsizetype length = std::min(left, Block);
        unsigned char found = 0;
        for (qsizetype i = 0; i < length; ++i)
            found = static_cast<unsigned char>(found + (at[i] == '\n'));
        total += found;
        at += length;
        left -= length;
    }
    return total;
}

// The lines of a file's bytes, read in place: each line is a view into the
// one buffer, ended by LF (a CR before it dropped), the last one also by the
// end of the data.
class LineSource {
public:
    explicit LineSource(QByteArray data) : m_data(std::move(data))
    {
        // Byte order marks left by editors (one may add its own before one
        // already there). All of them go, so the first line never begins
        // with U+FEFF, and a file written from what was read reads the same.
        while (QByteArrayView(m_data).sliced(m_pos).startsWith("\xEF\xBB\xBF"))
            m_pos += 3;
        m_count = CountLineEnds(QByteArrayView(m_data).sliced(m_pos));
        if (m_data.size() > m_pos && !m_data.endsWith('\n'))
            ++m_count;
    }
    qsizetype count() const { return m_count; }
    QByteArrayView next() // only while lines remain
    {
        const char* data = m_data.constData();
        const void* found = std::memchr(data + m_pos, '\n', static_cast<std::size_t>(m_data.size() - m_pos));
        const qsizetype end = found ? static_cast<const char*>(found) - data : m_data.size();
        qsizetype length = end - m_pos;
        if (length > 0 && data[end - 1] == '\r')
            --length;
        const QByteArrayView line(data + m_pos, length);
        m_pos = end + 1;
        return line;
    }

private:
    QByteArray m_data;
    qsizetype m_pos = 0;
    qsizetype m_count = 0;
};

// Numbers in the file carry single precision, whatever field they go to. A
// value beyond the single range (an objective of 1 / |target - result| can
// be one) keeps its double value rather than failing a file this program
// wrote: the value its 15-digit line gives, as the program writes it, so
// that what is computed from it is the same after a save and a read.
double ToSingle(double value)
{
    if (std::fabs(value) <= static_cast<double>(FLT_MAX))
        return static_cast<double>(static_cast<float>(value));
    return ParseFileNumber(FileNumber(value, Precision::Double)).value_or(value);
}

QString Shown(const QString& line)
{
    constexpr qsizetype Longest = 40;
    const QString text = line.trimmed();
    return QLatin1Char('"') + (text.size() > Longest ? text.left(Longest) + QStringLiteral("...") : text) + QLatin1Char('"');
}

class StateFileParser {
public:
    explicit StateFileParser(LineSource& source) : m_source(source) {}

    // Fills r from the file; throws ParseError at the first fault.
    void parseInto(OptimizationProblem& r);
    // The step type kept after the last field; empty when there is none.
    const QString& stepType() const { return m_stepType; }

private:
    [[noreturn]] void fail(const QString& message) const { throw ParseError{message}; }
    QByteArrayView line();
    QString text() { return DecodeLine(line()); }
    // The next line read as a number: straight from its bytes when they are
    // plain ASCII, as every line this program writes is, else decoded first.
    std::optional<double> numberLine();
    QString lastShown() const { return Shown(DecodeLine(m_last)); }
    double number();
    std::int16_t tableInteger();
    int count(int lowest, int highest, const QString& expected);
    void readFactors(OptimizationProblem& r, int k);
    void readRest(OptimizationProblem& r);
    void readResponses(OptimizationProblem& r);
    void readSimulation(OptimizationProblem& r);

    LineSource& m_source;
    qsizetype m_lineNumber = 0;
    QByteArrayView m_last; // the line read last, for the messages
    QString m_stepType;
};

QByteArrayView StateFileParser::line()
{
    if (m_lineNumber >= m_source.count())
        fail(QStringLiteral("The file ends before the problem is complete."));
    ++m_lineNumber;
    const QByteArrayView read = m_source.next();
    // Counted in characters: a byte count is an upper bound for them.
    if (read.size() > MaxLineLength && DecodeLine(read).size() > MaxLineLength)
        fail(QStringLiteral("Line %1 is longer than %2 characters.").arg(m_lineNumber).arg(MaxLineLength));
    return read;
}

std::optional<double> StateFileParser::numberLine()
{
    m_last = line();
    // A line the bytes' read takes is plain ASCII; one it refuses may be a
    // number written with blanks beyond ASCII, which only the full read knows.
    double value = 0;
    if (ParseAsciiFileNumber(m_last, value))
        return value;
    if (IsAscii(m_last))
        return std::nullopt;
    return ParseFileNumber(QStringView(DecodeLine(m_last)));
}

double StateFileParser::number()
{
    // The common case without an optional in between: millions of lines.
    m_last = line();
    double value = 0;
    if (ParseAsciiFileNumber(m_last, value) && std::isfinite(value))
        return ToSingle(value);
    if (!IsAscii(m_last)) {
        const std::optional<double> decoded = ParseFileNumber(QStringView(DecodeLine(m_last)));
        if (decoded && std::isfinite(*decoded))
            return ToSingle(*decoded);
    }
    fail(QStringLiteral("Line %1 should hold a number but holds %2.").arg(m_lineNumber).arg(lastShown()));
}

std::int16_t StateFileParser::tableInteger()
{
    const std::optional<double> value = numberLine();
    const std::optional<std::int16_t> rounded = value ? RoundToInt16(ToSingle(*value)) : std::nullopt;
    if (!rounded)
        fail(QStringLiteral("Line %1 should hold a whole number from -32768 to 32767 but holds %2.").arg(m_lineNumber).arg(lastShown()));
    return *rounded;
}

int StateFileParser::count(int lowest, int highest, const QString& expected)
{
    const std::optional<double> value = numberLine();
    if (!value || !(*value >= lowest && *value <= highest && *value == std::floor(*value)))
        fail(QStringLiteral("Line %1 should hold %2 but holds %3.").arg(m_lineNumber).arg(expected, lastShown()));
    return static_cast<int>(*value);
}

void StateFileParser::parseInto(OptimizationProblem& r)
{
    r.Stage = Choice<Stage>::FromText(text());
    const int k = count(std::numeric_limits<std::int16_t>::min(), DefaultMaxFactors,
                        QStringLiteral("the number of factors, a whole number no larger than %1,").arg(DefaultMaxFactors));
    const int n = count(0, MaxVertices, QStringLiteral("the number of vertices, a whole number from 0 to %1,").arg(MaxVertices));
    // Checked before any table is sized, so that a count the file cannot
    // back up never allocates.
    if (m_source.count() < StateFileLineCount(k, n))
        fail(QStringLiteral("The file ends before the problem is complete."));
    r.NumFactors = static_cast<std::int16_t>(k);
    r.NumVertices = static_cast<std::int16_t>(n);

    readFactors(r, k);

    // Tables stay large enough for MaxFactors, so that raising the number of
    // factors later never indexes past an end.
    const int factorSlots = DefaultMaxFactors + 1;
    r.Simplex.redim(std::max(factorSlots, k + 4), std::max(factorSlots, k + 1));
    for (int c = 1; c <= k + 4; ++c) {
        for (int j = 1; j <= k + 1; ++j)
            r.Simplex.at(c, j) = number();
    }
    r.PreviousResult = number();
    r.LastResult = number();

    const auto perVertex = static_cast<std::size_t>(std::max(factorSlots + 1, n + 1));
    r.TrialPoint.assign(perVertex, 0.0);
    r.ReservedVertexNumbers.assign(perVertex, 0.0);
    r.ReservedVertexIntegers.assign(perVertex, 0);
    for (std::size_t v = 1; v <= static_cast<std::size_t>(n); ++v) {
        r.TrialPoint[v] = number();
        r.ReservedVertexNumbers[v] = number();
        r.ReservedVertexIntegers[v] = tableInteger();
    }
    r.CurrentVertexType = Choice<VertexType>::FromText(text());
    r.MaxFactors = static_cast<std::int16_t>(
        count(DefaultMaxFactors, DefaultMaxFactors, QStringLiteral("the largest number of factors, %1,").arg(DefaultMaxFactors)));

    const auto perFactor = static_cast<std::size_t>(factorSlots + 1);
    r.StepVector.assign(perFactor, 0.0);
    r.Centroid.assign(perFactor, 0.0);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(std::max(k, 0)); ++i) {
        r.StepVector[i] = number();
        r.Centroid[i] = number();
    }
    // The history keeps exactly the columns of the k it was written for: its
    // width is how the engine tells that the number of factors has changed
    // since the simplex was committed.
    r.VertexHistory.redim(std::max(0, k + 4), std::max(factorSlots, n));
    for (int c = 1; c <= k + 4; ++c) {
        double* column = r.VertexHistory.column(c);
        for (int v = 1; v <= n; ++v)
            column[v] = number();
    }
    readRest(r);
}

void StateFileParser::readFactors(OptimizationProblem& r, int k)
{
    if (r.Factors.size() < static_cast<std::size_t>(DefaultMaxFactors) + 1)
        r.Factors.resize(static_cast<std::size_t>(DefaultMaxFactors) + 1);
    for (int slot = 0; slot < static_cast<int>(r.Factors.size()); ++slot) {
        Factor& factor = r.Factors[static_cast<std::size_t>(slot)];
        if (slot >= 1 && slot <= k) {
            factor.FactorName = text();
            factor.LowerLimit = number();
            factor.UpperLimit = number();
            // No level could be coded between such limits.
            if (!std::isfinite(factor.UpperLimit - factor.LowerLimit))
                fail(LimitsRangeTooLarge(slot));
            factor.SignificantDigits = tableInteger();
        } else {
            // Fresh factors for a larger problem later; their decimals stay.
            factor.FactorName = slot > 0 ? DefaultFactorName(slot) : QString();
            factor.LowerLimit = UndefinedLowerLimit;
            factor.UpperLimit = UndefinedUpperLimit;
        }
    }
}

void StateFileParser::readRest(OptimizationProblem& r)
{
    r.Instruction = text();
    r.InstructionFlag = text();
    r.PreviousVertexType = Choice<VertexType>::FromText(text());
    r.Goal = Choice<Goal>::FromText(text());
    r.TargetValue = number();
    r.RecordResponse = number();
    r.OutOfLimits = text();
    r.InitialSimplexDefined = text();
    // Then the step type, if kept, and the sections in their order. Blank
    // lines after the end are harmless (an editor may add one); any other
    // text means the counts in lines 2 and 3 do not fit the file.
    qsizetype nextSection = 0;
    for (bool first = true; m_lineNumber < m_source.count(); first = false) {
        const QString kept = text().trimmed();
        const qsizetype section = SectionMarkers.indexOf(kept);
        if (first && IsStepType(kept))
            m_stepType = kept;
        else if (section >= nextSection) {
            if (section == SectionMarkers.indexOf(ResponsesMarker))
                readResponses(r);
            else
                readSimulation(r);
            nextSection = section + 1;
        } else if (!kept.isEmpty())
            fail(QStringLiteral("Line %1 lies beyond the end of the problem that lines 2 and 3 describe.").arg(m_lineNumber));
    }
}

void StateFileParser::readResponses(OptimizationProblem& r)
{
    const int m = count(1, MaxResponses, QStringLiteral("the number of responses, 1 to %1,").arg(MaxResponses));
    for (int i = 1; i <= m; ++i) {
        ResponseDefinition response;
        response.name = text();
        const QString word = text();
        const std::optional<ResponseGoal> goal = ResponseGoalOfWord(word);
        if (!goal)
            fail(QStringLiteral("Line %1 should hold the goal of response %2 (max, min, target or track) but holds %3.")
                     .arg(m_lineNumber).arg(i).arg(Shown(word)));
        response.goal = *goal;
        for (double* value : {&response.lower, &response.upper, &response.target, &response.importance,
                              &response.shape, &response.shapeAbove})
            *value = number();
        if (const std::optional<QString> fault = ResponseDefinitionFault(response))
            fail(QStringLiteral("Response %1 (line %2): ").arg(i).arg(m_lineNumber) + *fault);
        r.Responses.push_back(response);
    }
    if (count(0, MaxVertices, QStringLiteral("the number of vertices")) != r.NumVertices)
        fail(QStringLiteral("Line %1 should hold the number of vertices, %2, but holds %3.")
                 .arg(m_lineNumber).arg(r.NumVertices).arg(lastShown()));
    r.VertexResponses.redim(m, r.NumVertices);
    for (int v = 1; v <= r.NumVertices; ++v) {
        for (int i = 1; i <= m; ++i)
            r.VertexResponses.at(i, v) = number();
    }
}

void StateFileParser::readSimulation(OptimizationProblem& r)
{
    r.SimulatedProcess = text().trimmed();
    if (r.SimulatedProcess.isEmpty())
        fail(QStringLiteral("Line %1 should hold the name of the simulated process but is empty.").arg(m_lineNumber));
    // Read at the precision written: the noise of every vertex scales with it.
    const std::optional<double> sigma = numberLine();
    if (!sigma || !std::isfinite(*sigma) || *sigma < 0)
        fail(QStringLiteral("Line %1 should hold the noise of the simulation, a number no smaller than 0, but holds %2.")
                 .arg(m_lineNumber).arg(lastShown()));
    r.SimulationNoise = *sigma;
    const QString seed = text().trimmed();
    bool whole = false;
    r.SimulationSeed = seed.toULongLong(&whole);
    if (!whole)
        fail(QStringLiteral("Line %1 should hold the seed of the simulation, a whole number from 0 to %2, but holds %3.")
                 .arg(m_lineNumber).arg(std::numeric_limits<std::uint64_t>::max()).arg(Shown(seed)));
}

FileStatus ParseStateFile(LineSource& source, OptimizationProblem& problem, QString* stepType)
{
    if (source.count() == 0)
        return FileStatus::failure(QStringLiteral("The file is empty."));
    OptimizationProblem loaded = RecordToReadInto(problem);
    StateFileParser parser(source);
    ClearUpperVectorState();
    try {
        parser.parseInto(loaded);
    } catch (const ParseError& error) {
        return FileStatus::failure(error.message);
    }
    problem = std::move(loaded);
    if (stepType)
        *stepType = parser.stepType();
    return FileStatus::success();
}

} // namespace

OptimizationProblem RecordToReadInto(const OptimizationProblem& current)
{
    // A fresh record, not a copy of the old one (a long history is worth
    // not copying), with what the file does not hold taken over.
    OptimizationProblem loaded;
    loaded.StepType = current.StepType;
    loaded.FirstStepPending = current.FirstStepPending;
    loaded.NextVertexType = current.NextVertexType;
    loaded.LastObjective = current.LastObjective;
    loaded.Factors = current.Factors; // the decimals of slots beyond the file's k stay
    return loaded;
}

TextLineFault StateFileTextFault(const QString& text)
{
    if (text.contains(QChar(u'\0')))
        return TextLineFault::HoldsNul;
    // The reader counts the characters of the decoded line, and the writer's
    // UTF-8 decodes to the very characters written.
    return text.size() > MaxStateFileLineLength ? TextLineFault::TooLong : TextLineFault::None;
}

QString LimitsRangeTooLarge(int row)
{
    return QStringLiteral("The range of the limits in row %1 is too large.").arg(row);
}

QByteArray StateFileBytes(const OptimizationProblem& problem)
{
    return BuildStateFileBytes(problem);
}

QStringList StateFileLines(const OptimizationProblem& problem)
{
    QStringList lines = QString::fromUtf8(BuildStateFileBytes(problem)).split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last line end
    return lines;
}

FileStatus WriteStateFile(const OptimizationProblem& problem, const QString& path)
{
    return WriteStateFile(problem, path, Links::Follow);
}

FileStatus WriteStateFile(const OptimizationProblem& problem, const QString& path, Links links)
{
    FileInPieces file(path, links);
    if (!file.status())
        return file.status();
    StateFileText out(file);
    WriteStateText(problem, out);
    out.finish();
    return file.commit();
}

FileStatus StateFileTooLarge()
{
    return FileStatus::failure(QStringLiteral("The file is too large to be a problem file."));
}

FileStatus ReadStateFileBytes(const QString& path, QByteArray& data, Links links)
{
    return ReadBoundedFile(path, MaxStateFileBytes, StateFileTooLarge().error, data, links);
}

FileStatus ReadStateFile(const QString& path, OptimizationProblem& problem, QString* stepType)
{
    QByteArray data;
    if (FileStatus read = ReadStateFileBytes(path, data, Links::Follow); !read)
        return read;
    return ParseStateFileBytes(std::move(data), problem, stepType);
}

FileStatus ParseStateFileBytes(QByteArray data, OptimizationProblem& problem, QString* stepType)
{
    // UTF-16 text has zero bytes too: it is told apart first.
    if (FileStatus text = CheckTextBytes(data, QStringLiteral("a problem file")); !text)
        return text;
    if (data.contains('\0'))
        return FileStatus::failure(QStringLiteral("The file holds binary data and is not a problem file."));
    // A long history needs its tables besides the bytes; where the memory
    // left cannot hold them, the file is refused like any other, and the
    // record, filled only on success, stays as it was.
    try {
        LineSource source(std::move(data));
        return ParseStateFile(source, problem, stepType);
    } catch (const std::bad_alloc&) {
        return NotEnoughMemoryToRead();
    }
}

FileStatus ParseStateFileLines(const QStringList& lines, OptimizationProblem& problem, QString* stepType)
{
    QByteArray data;
    for (const QString& line : lines)
        data += line.toUtf8() + '\n';
    LineSource source(std::move(data));
    return ParseStateFile(source, problem, stepType);
}

} // namespace zeltomir::core
