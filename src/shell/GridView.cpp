#include "shell/GridView.h"

#include <QKeyEvent>

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
