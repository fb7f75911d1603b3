#include "shell/GridView.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

namespace zeltomir::shell {

GridView::GridView(QWidget* parent) : QTableView(parent) {}

void GridView::finishEditing()
{
    if (state() != EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

int GridView::cellWidthForText(const QString& text) const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    // The delegate shows a line feed as a line break.
    option.text = text;
    option.text.replace(u'\n', QChar::LineSeparator);
    const int item = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this).width();
    // The grid line is drawn inside the column's width, at its right edge.
    return item + (showGrid() ? 1 : 0);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if (state() != EditingState) {
        if (event->matches(QKeySequence::Copy)) {
            emit copyKeyPressed();
            return;
        }
        if (event->matches(QKeySequence::Cut)) {
            emit cutKeyPressed();
            return;
        }
        if (event->matches(QKeySequence::Paste)) {
            emit pasteKeyPressed();
            return;
        }
        if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
            emit deleteKeyPressed();
            return;
        }
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (enter && currentIndex().isValid() && (model()->flags(currentIndex()) & Qt::ItemIsEditable)) {
            edit(currentIndex());
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

bool GridView::focusNextPrevChild(bool next)
{
    if (tabKeyNavigation() && atTabEdge(next)) {
        leaveGrid(next);
        return true;
    }
    return QTableView::focusNextPrevChild(next);
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // The delegate has committed the editor's text before it asks for the
    // next or previous cell.
    const bool tab = hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    if (!tab || !atTabEdge(next)) {
        QTableView::closeEditor(editor, hint);
        return;
    }
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    leaveGrid(next);
}

bool GridView::atTabEdge(bool next) const
{
    const QHeaderView* rows = verticalHeader();
    const QHeaderView* cols = horizontalHeader();
    // The visual end of the grid: the last (or first) row and column shown.
    const auto edge = [next](const QHeaderView* header) {
        const int count = header->count();
        for (int i = 0; i < count; ++i) {
            const int visual = next ? count - 1 - i : i;
            if (!header->isSectionHidden(header->logicalIndex(visual)))
                return visual;
        }
        return -1;
    };
    const int edgeRow = edge(rows);
    const int edgeCol = edge(cols);
    if (edgeRow < 0 || edgeCol < 0)
        return true;
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return false;
    return rows->visualIndex(current.row()) == edgeRow && cols->visualIndex(current.column()) == edgeCol;
}

void GridView::leaveGrid(bool next)
{
    // QWidget's own handling walks the window's focus chain from this view,
    // past the grid's inner parts that take no focus.
    QWidget::focusNextPrevChild(next);
}

} // namespace zeltomir::shell
