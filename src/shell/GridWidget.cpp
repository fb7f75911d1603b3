#include "shell/GridWidget.h"

#include "core/HtmlTable.h"
#include "core/TabText.h"
#include "shell/GridModel.h"
#include "shell/GridPrinter.h"
#include "shell/GridView.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLocale>
#include <QMimeData>
#include <QPrinter>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

namespace zeltomir::shell {

namespace {

// A new column shows about nine digits, enough for most levels.
constexpr int DefaultColumnDigits = 9;

} // namespace

GridWidget::GridWidget(QWidget* parent)
    : QWidget(parent), m_model(new GridModel(this)), m_view(new GridView(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    m_view->setModel(m_model);
    m_view->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_view->setWordWrap(false);
    // Fixed row heights keep the view fast with tens of thousands of rows.
    const QFontMetrics fm(m_view->font());
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(fm.height() + 6);
    m_view->horizontalHeader()->setDefaultSectionSize(
        fm.horizontalAdvance(QString(DefaultColumnDigits, u'0')) + 12);

    connect(m_model, &GridModel::cellEdited, this, &GridWidget::cellEdited);
    connect(m_view, &GridView::copyKeyPressed, this, [this] { copyBlock(selectedBlock()); });
    connect(m_view, &GridView::cutKeyPressed, this, [this] { cutBlock(selectedBlock()); });
    connect(m_view, &GridView::pasteKeyPressed, this, &GridWidget::paste);
    connect(m_view, &GridView::deleteKeyPressed, this, [this] { m_model->clearEditable(selectedBlock()); });
    connect(qApp, &QApplication::focusChanged, this, &GridWidget::onFocusChanged);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this, &GridWidget::selectionChanged);
    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this, &GridWidget::selectionChanged);
    connect(m_view, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { emit cellDoubleClicked(index.column() + 1, index.row() + 1); });
    // The scroll bar announces a new range before it binds its value into
    // it, so m_atEnd still tells where the rows were.
    QScrollBar* down = m_view->verticalScrollBar();
    connect(down, &QScrollBar::valueChanged, this, [this, down](int value) { m_atEnd = value == down->maximum(); });
    connect(down, &QScrollBar::rangeChanged, this, [this, down](int, int maximum) {
        if (m_followsEnd && m_atEnd)
            down->setValue(maximum);
    });
}

GridWidget::~GridWidget() = default;

int GridWidget::maxCols() const { return m_model->maxCols(); }

int GridWidget::maxRows() const { return m_model->maxRows(); }

void GridWidget::setMaxCols(int cols) { m_model->setMaxCols(cols); }

void GridWidget::setMaxRows(int rows) { m_model->setMaxRows(rows); }

QString GridWidget::cell(int col, int row) const { return m_model->cell(col, row); }

void GridWidget::setCell(int col, int row, const QString& text) { m_model->setCell(col, row, text); }

void GridWidget::setRows(int firstRow, std::vector<core::TextRow> rows)
{
    m_model->setRows(firstRow, std::move(rows));
}

void GridWidget::setNumber(int col, int row, double value, core::Precision precision)
{
    m_model->setCell(col, row, core::GeneralForm(value, precision));
}

void GridWidget::setInteger(int col, int row, qint64 value) { m_model->setCell(col, row, QString::number(value)); }

int GridWidget::firstEmptyRow(int col) const
{
    int row = 0;
    while (row <= m_model->maxRows() && !m_model->cell(col, row).isEmpty())
        ++row;
    return row;
}

bool GridWidget::isReadOnly() const { return m_model->isReadOnly(); }

void GridWidget::setReadOnly(bool readOnly)
{
    if (readOnly)
        finishEditing();
    m_model->setReadOnly(readOnly);
}

void GridWidget::setColumnEditable(int col, bool editable) { m_model->setColumnEditable(col, editable); }

int GridWidget::colWidth(int col) const
{
    if (col < 1 || col > m_model->maxCols())
        return m_view->horizontalHeader()->defaultSectionSize();
    return m_view->columnWidth(col - 1);
}

void GridWidget::setColWidth(int col, int pixels)
{
    if (col >= 1 && col <= m_model->maxCols())
        m_view->setColumnWidth(col - 1, std::max(0, pixels));
}

int GridWidget::maxTextColWidth(int col) const
{
    if (col < 1 || col > m_model->maxCols())
        return 0;
    int widest = headerTextWidth(col);
    for (int row = 1; row <= m_model->maxRows(); ++row) {
        const QString text = m_model->cell(col, row);
        if (!text.isEmpty())
            widest = std::max(widest, m_view->cellWidthForText(text));
    }
    return widest;
}

int GridWidget::cellTextWidth(const QString& text) const { return m_view->cellWidthForText(text); }

int GridWidget::rowsHeight() const
{
    return m_view->horizontalHeader()->sizeHint().height() + m_view->verticalHeader()->length()
           + 2 * m_view->frameWidth();
}

void GridWidget::widenColumnToText(int col, const QString& text)
{
    const int needed = cellTextWidth(text);
    if (needed > colWidth(col))
        setColWidth(col, needed);
}

int GridWidget::headerTextWidth(int col) const
{
    if (col < 1 || col > m_model->maxCols() || m_model->cell(col, 0).isEmpty())
        return 0;
    return m_view->horizontalHeader()->sectionSizeHint(col - 1);
}

int GridWidget::currentCol() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.column() + 1 : 1;
}

int GridWidget::currentRow() const
{
    const QModelIndex current = m_view->currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void GridWidget::setCurrentCell(int col, int row)
{
    const QModelIndex index = m_model->index(row - 1, col - 1);
    if (index.isValid())
        m_view->setCurrentIndex(index);
}

void GridWidget::scrollToRow(int row)
{
    if (row < 1 || row > m_model->maxRows() || m_model->maxCols() < 1)
        return;
    QScrollBar* across = m_view->horizontalScrollBar();
    const int left = across->value();
    m_view->scrollTo(m_model->index(row - 1, 0), QAbstractItemView::EnsureVisible);
    across->setValue(left);
}

void GridWidget::setFollowsEnd(bool follows)
{
    m_followsEnd = follows;
    const QScrollBar* down = m_view->verticalScrollBar();
    m_atEnd = down->value() == down->maximum();
}

void GridWidget::scrollToEnd()
{
    m_view->doItemsLayout();
    QScrollBar* down = m_view->verticalScrollBar();
    down->setValue(down->maximum());
    m_atEnd = true;
}

GridBlock GridWidget::selectedBlock() const
{
    const QItemSelection selection = m_view->selectionModel()->selection();
    if (selection.isEmpty())
        return {currentCol(), currentRow(), currentCol(), currentRow()};
    GridBlock block{selection.first().left() + 1, selection.first().top() + 1, selection.first().right() + 1,
                    selection.first().bottom() + 1};
    for (const QItemSelectionRange& range : selection) {
        block.col = std::min(block.col, range.left() + 1);
        block.row = std::min(block.row, range.top() + 1);
        block.col2 = std::max(block.col2, range.right() + 1);
        block.row2 = std::max(block.row2, range.bottom() + 1);
    }
    return block;
}

bool GridWidget::hasSelection() const
{
    return m_view->selectionModel()->hasSelection();
}

void GridWidget::selectBlock(const GridBlock& block)
{
    auto b = m_model->clipped(block);
    if (!b)
        return;
    b->row = std::max(b->row, 1);
    if (b->row > b->row2)
        return;
    const QItemSelection selection(m_model->index(b->row - 1, b->col - 1), m_model->index(b->row2 - 1, b->col2 - 1));
    m_view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void GridWidget::clearBlock(const GridBlock& block) { m_model->clearBlock(block); }

QString GridWidget::blockText(const GridBlock& block) const
{
    return core::EncodeTabText(m_model->blockRows(block));
}

void GridWidget::copyBlock(const GridBlock& block)
{
    if (!m_model->clipped(block))
        return;
    // The tab text for programs that read only text, Zeltomir's own paste
    // among them; the HTML table for spreadsheets, which take its cells as
    // marked rather than guess (core/HtmlTable.h).
    const core::TabRows rows = m_model->blockRows(block);
    auto* cells = new QMimeData;
    cells->setText(core::EncodeTabText(rows));
    cells->setHtml(core::EncodeHtmlTable(rows, QLocale()));
    QApplication::clipboard()->setMimeData(cells);
}

void GridWidget::cutBlock(const GridBlock& block)
{
    if (m_model->isReadOnly())
        return;
    copyBlock(block);
    m_model->clearEditable(block);
}

void GridWidget::paste() { pasteText(currentCol(), currentRow(), QApplication::clipboard()->text()); }

void GridWidget::pasteText(int col, int row, const QString& text)
{
    m_model->pasteRows(col, row, core::DecodeTabText(text));
}

void GridWidget::finishEditing() { m_view->finishEditing(); }

bool GridWidget::print(QPrinter& printer)
{
    if (!printer.isValid()) {
        m_pagesPrinted = 0;
        return false;
    }
    return print(static_cast<QPagedPaintDevice&>(printer));
}

bool GridWidget::print(QPagedPaintDevice& device)
{
    finishEditing();
    std::vector<int> widths;
    widths.reserve(static_cast<std::size_t>(m_model->maxCols()));
    for (int c = 1; c <= m_model->maxCols(); ++c)
        widths.push_back(colWidth(c));
    GridPrinter printer(*m_model, m_view->font(), std::move(widths), logicalDpiX());
    const bool printed = printer.print(device);
    m_pagesPrinted = printer.pagesPrinted();
    return printed;
}

void GridWidget::onFocusChanged(QWidget* old, QWidget* now)
{
    if (contains(now) && !contains(old))
        emit focusGained();
}

bool GridWidget::contains(const QWidget* widget) const { return widget && (widget == this || isAncestorOf(widget)); }

} // namespace zeltomir::shell
