#pragma once

// Keeps the selection a text box had when it lost the focus. A Qt line edit
// drops its selection on losing the focus, and the toolbar's Cut and Copy
// take the focus away before they run; without this they would find
// nothing selected in the box they give the focus back to.

#include <QObject>
#include <QPointer>
#include <QString>

class QLineEdit;

namespace zeltomir::app {

class TextSelectionMemory final : public QObject {
    Q_OBJECT
public:
    // Watches every line edit of the application while it exists.
    explicit TextSelectionMemory(QObject* parent = nullptr);
    ~TextSelectionMemory() override;

    // Gives the box the focus. When it did not have the focus, shows no
    // selection after getting it (its own focus handling may select its
    // text) and holds the text it held when it lost the focus, the
    // selection of that moment is put back.
    void refocus(QLineEdit* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Kept {
        QPointer<QLineEdit> box;
        QString text;
        int start = -1;
        int length = 0;
        bool cursorAtStart = false;
    };

    Kept m_kept;
};

} // namespace zeltomir::app
