#pragma once

// The "Question" box (Text_pbl): a read-only text box that asks its layout
// for the height its whole statement needs at the width it is given, so the
// learner reads the question without scrolling. The grid of runs below it
// takes whatever height is left.

#include <QPlainTextEdit>

namespace zeltomir::practice {

class StatementBox final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit StatementBox(QWidget* parent = nullptr);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void forgetMeasure();
    void showScrollBarOnlyIfShort();

    // heightForWidth is asked many times for the same width while a layout
    // settles; laying the text out again each time is wasted work.
    mutable int m_measuredWidth = -1;
    mutable int m_measuredHeight = 0;
};

} // namespace zeltomir::practice
