#pragma once

// The strip of toolbar buttons along the top of the main window. Buttons sit
// at fixed positions given in twips, except Help and Exit, which follow the
// right edge of the main window.

#include <QList>
#include <QToolButton>
#include <QWidget>

namespace zeltomir::shell {

class ButtonBar : public QWidget {
    Q_OBJECT
public:
    // Sizes and positions of the buttons, in twips.
    static constexpr int ButtonSizeTwips = 408;
    static constexpr int RightMarginTwips = 100;
    static constexpr int HeightTwips = 450;

    explicit ButtonBar(QWidget* parent = nullptr);

    // The buttons left to right, Help and Exit last.
    const QList<QToolButton*>& buttons() const { return m_buttons; }
    QToolButton* button(const QString& objectName) const;

    // Puts Help and Exit at the right end: Help's left edge is the main
    // window's width less the right margin and the widths of both buttons,
    // Exit follows right after Help.
    void placeRightButtons();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QList<QToolButton*> m_buttons;
    QToolButton* m_help = nullptr;
    QToolButton* m_exit = nullptr;
};

} // namespace zeltomir::shell
