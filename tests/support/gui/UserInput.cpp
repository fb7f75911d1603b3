#include "gui/UserInput.h"

#include "shell/GridWidget.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace zeltomir::testsupport {

void TypeInto(QLineEdit* box, const QString& text)
{
    ASSERT_NE(box, nullptr);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

void EditCell(shell::GridWidget& grid, int col, int row, const QString& text)
{
    auto* view = grid.findChild<QTableView*>();
    ASSERT_NE(view, nullptr);
    grid.setCurrentCell(col, row);
    view->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(view, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(view->indexWidget(view->currentIndex()));
    ASSERT_NE(editor, nullptr) << "no cell editor opened at column " << col << ", row " << row;
    editor->selectAll();
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Delete);
    else
        QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits an editor closed by Enter through a queued call.
    EXPECT_TRUE(QTest::qWaitFor([view] { return view->indexWidget(view->currentIndex()) == nullptr; }));
}

void Click(QPushButton* button)
{
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled()) << button->objectName().toStdString() << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
}

bool RowInView(const shell::GridWidget& grid, int row)
{
    const QTableView* view = grid.findChild<QTableView*>();
    const QRect cell = view->visualRect(view->model()->index(row - 1, 0));
    return view->viewport()->rect().contains(cell);
}

} // namespace zeltomir::testsupport
