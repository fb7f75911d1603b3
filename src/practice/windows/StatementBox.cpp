#include "practice/windows/StatementBox.h"

#include <QEvent>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace zeltomir::practice {

StatementBox::StatementBox(QWidget* parent) : QPlainTextEdit(parent)
{
    // Its height follows its text; any height to spare goes to the grid.
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        forgetMeasure();
        showScrollBarOnlyIfShort();
        updateGeometry();
    });
}

int StatementBox::heightForWidth(int width) const
{
    if (width == m_measuredWidth)
        return m_measuredHeight;
    const int frame = 2 * frameWidth();

    // The text laid out line by line as the box's plain-text layout lays it
    // out: the same font, wrapping and margins, one block per paragraph, the
    // last one with the bottom margin, each counted in whole pixels. The box
    // scrolls once those blocks are taller than its viewport less the top
    // margin and one pixel.
    const qreal margin = document()->documentMargin();
    const qreal lineWidth = std::max<qreal>(1, width - frame - 2 * margin);
    const QTextOption option = document()->defaultTextOption();
    const QStringList paragraphs = toPlainText().split(QLatin1Char('\n'));
    int blocksHeight = 0;
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        QTextLayout layout(paragraphs.at(i), font());
        layout.setTextOption(option);
        layout.beginLayout();
        qreal blockHeight = i + 1 == paragraphs.size() ? margin : 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(lineWidth);
            blockHeight += line.height();
            if (line.leading() < 0)
                blockHeight += std::ceil(line.leading());
        }
        layout.endLayout();
        blocksHeight += static_cast<int>(blockHeight);
    }

    m_measuredWidth = width;
    m_measuredHeight = blocksHeight + static_cast<int>(std::ceil(margin)) + 1 + frame;
    return m_measuredHeight;
}

void StatementBox::resizeEvent(QResizeEvent* event)
{
    showScrollBarOnlyIfShort();
    QPlainTextEdit::resizeEvent(event);
}

void StatementBox::showScrollBarOnlyIfShort()
{
    // The box decides on its scroll bar with the lines wrapped beside the
    // bar, and a bar once shown stays while those narrower lines need one
    // line more than the box has. A box as high as its text needs at the
    // full width has no use for the bar at all.
    const bool fits = height() >= heightForWidth(width());
    const Qt::ScrollBarPolicy policy = fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    if (verticalScrollBarPolicy() != policy)
        setVerticalScrollBarPolicy(policy);
}

void StatementBox::changeEvent(QEvent* event)
{
    // Another font or style measures the text anew.
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        forgetMeasure();
        showScrollBarOnlyIfShort();
        updateGeometry();
    }
    QPlainTextEdit::changeEvent(event);
}

void StatementBox::forgetMeasure()
{
    m_measuredWidth = -1;
}

} // namespace zeltomir::practice
