#include "shell/GridView.h"

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

} // namespace zeltomir::shell
