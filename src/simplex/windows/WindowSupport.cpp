#include "simplex/windows/WindowSupport.h"

#include "core/ProblemRecord.h"
#include "core/UndoSnapshot.h"
#include "shell/DialogService.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"
#include "shell/Twips.h"

#include <QDir>
#include <QFontMetrics>
#include <QMdiArea>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace zeltomir::simplex {

GridText ReadGrid(shell::GridWidget& grid)
{
    grid.finishEditing();
    GridText text(grid.maxRows(), grid.maxCols());
    for (int row = 0; row <= grid.maxRows(); ++row) {
        for (int col = 1; col <= grid.maxCols(); ++col)
            text.setCell(row, col, grid.cell(col, row));
    }
    return text;
}

void WriteGrid(shell::GridWidget& grid, const GridText& text)
{
    grid.setMaxCols(text.columnCount());
    grid.setMaxRows(text.rowCount());
    for (int row = 0; row <= text.rowCount(); ++row) {
        for (int col = 1; col <= text.columnCount(); ++col)
            grid.setCell(col, row, text.cell(row, col));
    }
}

QPushButton* MakeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void ShowMessages(shell::DialogService& dialogs, const std::vector<core::Message>& messages)
{
    for (const core::Message& message : messages)
        dialogs.show(message);
}

bool StoreUndoSnapshot(const SimplexWindowContext& context)
{
    const core::FileStatus written = core::StoreUndoSnapshot(context.problem, context.runTime, context.snapshots);
    if (!written) {
        context.dialogs.message(QStringLiteral("Notice"),
                                QStringLiteral("The working copy of the problem that Undo returns to could not be "
                                               "written to \"%1\". %2")
                                    .arg(QDir::toNativeSeparators(context.runTime.StateFilePath), written.error),
                                core::MessageIcon::Exclamation);
        return false;
    }
    context.mainWindow.setUndoEnabled(true);
    context.mainWindow.setRedoEnabled(false);
    return true;
}

EngineHooks WindowHooks(const SimplexWindowContext& context)
{
    EngineHooks hooks;
    hooks.storeUndoSnapshot = [&context] { StoreUndoSnapshot(context); };
    hooks.confirm = [&context](const core::Message& question) {
        return context.dialogs.message(question.title, question.text, question.icon, shell::MessageButtons::YesNo,
                                       shell::MessageAnswer::No)
               == shell::MessageAnswer::Yes;
    };
    return hooks;
}

void UpdateCommandAvailability(const SimplexWindowContext& context)
{
    context.mainWindow.updateCommandAvailability(context.runTime.ActiveWindow);
}

void WidenColumnsToText(shell::GridWidget& grid)
{
    for (int col = 1; col <= grid.maxCols(); ++col) {
        const int needed = grid.maxTextColWidth(col);
        if (needed > grid.colWidth(col))
            grid.setColWidth(col, needed);
    }
}

int GridContentWidth(const shell::GridWidget& grid)
{
    int columns = 0;
    for (int col = 1; col <= grid.maxCols(); ++col)
        columns += grid.colWidth(col);
    const QFontMetrics metrics = grid.fontMetrics();
    const int rowNumbers = metrics.horizontalAdvance(QString::number(std::max(1, grid.maxRows())))
                           + 2 * metrics.averageCharWidth();
    const int scrollBar = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
    constexpr int frames = 4;
    return columns + rowNumbers + scrollBar + frames;
}

int GridContentHeight(const shell::GridWidget& grid)
{
    const bool scrollsSideways = GridContentWidth(grid) > grid.width();
    return grid.rowsHeight()
           + (scrollsSideways ? grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid) : 0);
}

QSize ChildWindowSize(const QWidget* widget, int widthTwips, int heightTwips, const QMdiArea* area)
{
    QSize size = shell::TwipsSize(widget, widthTwips, heightTwips);
    if (area && area->viewport()) {
        const QSize room = area->viewport()->size();
        if (room.width() > 0)
            size.setWidth(std::min(size.width(), room.width()));
        if (room.height() > 0)
            size.setHeight(std::min(size.height(), room.height()));
    }
    return size;
}

} // namespace zeltomir::simplex
