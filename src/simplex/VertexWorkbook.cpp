#include "simplex/VertexWorkbook.h"

#include "simplex/VertexTable.h"

#include "core/NumberText.h"
#include "core/ShortestDecimal.h"
#include "core/TextFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <cmath>
#include <locale.h>

namespace zeltomir::simplex {

namespace {

// libxlsxwriter writes a number with printf's "%.16G", which takes its
// decimal mark from the C library's numeric locale, and both programs set
// that to the user's at start (QCoreApplication does): a German user's
// sheet would hold "1,125", which no spreadsheet opens. While the workbook
// is made, this thread writes numbers with the C locale's ".".
class PointNumerals {
public:
    PointNumerals()
    {
        const locale_t base = duplocale(uselocale(static_cast<locale_t>(0)));
        if (!base)
            return;
        m_point = newlocale(LC_NUMERIC_MASK, "C", base);
        if (!m_point) {
            freelocale(base);
            return;
        }
        m_previous = uselocale(m_point);
    }
    ~PointNumerals()
    {
        if (!m_point)
            return;
        uselocale(m_previous);
        freelocale(m_point);
    }
    PointNumerals(const PointNumerals&) = delete;
    PointNumerals& operator=(const PointNumerals&) = delete;

    bool ok() const { return m_point != static_cast<locale_t>(0); }

private:
    locale_t m_point = static_cast<locale_t>(0);
    locale_t m_previous = static_cast<locale_t>(0);
};

// "%.16G" gives back the double exactly for every value of up to 16
// significant digits, so the shortest decimal of a single (at most nine)
// arrives as that decimal's double. A level that needs all 17 digits may
// come back one unit of its last place off, which a spreadsheet, showing 15
// digits, never shows.
double CellValue(const ExportCell& cell)
{
    const double value = cell.single ? core::ShortestDecimalIfSingle(cell.number) : cell.number;
    return value == 0 ? 0.0 : value; // no "-0" in the sheet
}

lxw_error WriteCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t col, const ExportCell& cell)
{
    switch (cell.kind) {
    case ExportCell::Kind::Number:
        if (std::isfinite(cell.number))
            return worksheet_write_number(sheet, row, col, CellValue(cell), nullptr);
        // No sheet holds an infinity: its text, as the CSV writes it.
        return worksheet_write_string(sheet, row, col, core::ShortestForm(cell.number).toUtf8().constData(), nullptr);
    case ExportCell::Kind::Text:
        return worksheet_write_string(sheet, row, col, cell.text.toUtf8().constData(), nullptr);
    case ExportCell::Kind::Empty:
        break;
    }
    return LXW_NO_ERROR;
}

QString Refusal(lxw_error error)
{
    switch (error) {
    case LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE:
        return QStringLiteral("The vertex summary is larger than a worksheet: a sheet holds at most %L1 rows and "
                              "%L2 columns.")
            .arg(LXW_ROW_MAX)
            .arg(LXW_COL_MAX);
    case LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED:
        return QStringLiteral("A name is longer than the 32,767 characters a worksheet cell holds.");
    default:
        return QStringLiteral("The workbook could not be made: %1").arg(QString::fromUtf8(lxw_strerror(error)));
    }
}

// Writes the table into a new workbook file at `built`; the first error,
// or LXW_NO_ERROR.
lxw_error BuildWorkbook(const core::OptimizationProblem& problem, const QString& built, const QString& scratch)
{
    const QByteArray file = QFile::encodeName(built);
    QByteArray folder = QFile::encodeName(scratch);
    // Rows go to the file as they come rather than all staying in memory,
    // and the strings are written in their cells.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = folder.data();
    lxw_workbook* workbook = workbook_new_opt(file.constData(), &options);
    if (!workbook)
        return LXW_ERROR_MEMORY_MALLOC_FAILED;
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "Vertex Summary");
    lxw_error failure = sheet ? LXW_NO_ERROR : LXW_ERROR_MEMORY_MALLOC_FAILED;
    if (sheet)
        worksheet_freeze_panes(sheet, 1, 0);
    lxw_row_t row = 0;
    try {
        EmitVertexTable(problem, [&](const ExportRow& cells) {
            for (std::size_t col = 0; col < cells.size() && failure == LXW_NO_ERROR; ++col)
                failure = col < LXW_COL_MAX ? WriteCell(sheet, row, static_cast<lxw_col_t>(col), cells[col])
                                            : LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
            ++row;
        });
    } catch (...) {
        // Memory that ran out: the library's own memory and files go too.
        workbook_close(workbook);
        throw;
    }
    const lxw_error closed = workbook_close(workbook);
    return failure != LXW_NO_ERROR ? failure : closed;
}

} // namespace

core::FileStatus WriteVertexWorkbook(const core::OptimizationProblem& problem, const QString& path)
{
    // Checked first: a name no file can take is refused with its cause, not
    // after the workbook was made.
    if (core::FileStatus usable = core::CheckRegularFileName(path); !usable)
        return usable;
    const QTemporaryDir scratch;
    if (!scratch.isValid())
        return core::FileStatus::failure(
            QStringLiteral("No temporary folder could be made for the workbook: %1").arg(scratch.errorString()));
    const QString built = scratch.filePath(QStringLiteral("vertices.xlsx"));
    lxw_error error = LXW_NO_ERROR;
    {
        const PointNumerals point;
        if (!point.ok())
            return core::FileStatus::failure(QStringLiteral("There is not enough memory left to write the file."));
        error = BuildWorkbook(problem, built, scratch.path());
    }
    if (error != LXW_NO_ERROR)
        return core::FileStatus::failure(Refusal(error));
    QFile workbook(built);
    if (!workbook.open(QIODevice::ReadOnly))
        return core::FileStatus::failure(
            QStringLiteral("The workbook made could not be read: %1").arg(workbook.errorString()));
    const QByteArray bytes = workbook.readAll();
    if (workbook.error() != QFileDevice::NoError)
        return core::FileStatus::failure(
            QStringLiteral("The workbook made could not be read: %1").arg(workbook.errorString()));
    return core::WriteWholeFile(path, bytes);
}

} // namespace zeltomir::simplex
