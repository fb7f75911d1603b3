#include "app/TextSelectionMemory.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>

namespace zeltomir::app {

TextSelectionMemory::TextSelectionMemory(QObject* parent) : QObject(parent)
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->installEventFilter(this);
}

TextSelectionMemory::~TextSelectionMemory()
{
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool TextSelectionMemory::eventFilter(QObject* watched, QEvent* event)
{
    // Application filters see the focus change before the box handles it,
    // so the selection is still there.
    const QEvent::Type type = event->type();
    if (type != QEvent::FocusOut && type != QEvent::FocusIn)
        return false;
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return false;
    if (type == QEvent::FocusIn) {
        // Back in the box, the user makes a selection anew.
        if (m_kept.box == box)
            m_kept = Kept{};
    } else if (box->hasSelectedText()) {
        const int start = box->selectionStart();
        m_kept = Kept{box, box->text(), start, static_cast<int>(box->selectedText().size()),
                      box->cursorPosition() == start};
    } else if (m_kept.box == box) {
        m_kept = Kept{};
    }
    return false;
}

void TextSelectionMemory::refocus(QLineEdit* box)
{
    if (!box)
        return;
    const bool hadFocus = box->hasFocus();
    const Kept kept = m_kept.box == box ? m_kept : Kept{};
    box->setFocus(Qt::OtherFocusReason);
    if (hadFocus || !kept.box || box->hasSelectedText() || box->text() != kept.text)
        return;
    if (kept.cursorAtStart)
        box->setSelection(kept.start + kept.length, -kept.length);
    else
        box->setSelection(kept.start, kept.length);
}

} // namespace zeltomir::app
