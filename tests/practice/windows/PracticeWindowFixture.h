#pragma once

// A practice window on the offscreen platform with records of the test's
// own, dialogs answered by a script and repeatable random numbers.

#include "core/ProblemRecord.h"
#include "core/Random.h"
#include "gui/ScriptedDialogService.h"
#include "practice/PracticeRecords.h"
#include "practice/windows/PracticeWindow.h"
#include "shell/GridWidget.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

// Failure messages show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace zeltomir::practice::testing {

// A fixed seed, and reseeding from the clock is ignored, so that the
// variance questions repeat too. onDraw runs before each number is handed out.
class SeededSource final : public core::UniformSource {
public:
    explicit SeededSource(std::uint64_t seed) : m_generator(seed) {}
    double next() override
    {
        if (onDraw)
            onDraw();
        return m_generator.next();
    }
    void seedFromClock() override {}
    std::function<void()> onDraw;

private:
    core::RandomGenerator m_generator;
};

// The source is the program's generator while this lives.
class ProgramRandomScope {
public:
    explicit ProgramRandomScope(core::UniformSource& source) { core::SetProgramRandom(&source); }
    ~ProgramRandomScope() { core::SetProgramRandom(nullptr); }
    ProgramRandomScope(const ProgramRandomScope&) = delete;
    ProgramRandomScope& operator=(const ProgramRandomScope&) = delete;
};

inline QStringList GridRow(const shell::GridWidget& grid, int row)
{
    QStringList cells;
    for (int col = 1; col <= grid.maxCols(); ++col)
        cells.append(grid.cell(col, row));
    return cells;
}

// Whether the whole first cell of a data row lies in the grid's view.
inline bool RowInView(shell::GridWidget& grid, int row)
{
    const QTableView* view = grid.findChild<QTableView*>();
    const QRect cell = view->visualRect(view->model()->index(row - 1, 0));
    return view->viewport()->rect().contains(cell);
}

// The learner reads the whole statement without scrolling.
inline bool StatementFits(const PracticeWindow& window)
{
    return window.form().statement->verticalScrollBar()->maximum() == 0;
}

inline PracticeProblem& RecordOf(PracticeRecords& records, ExerciseWindow which)
{
    switch (which) {
    case ExerciseWindow::Target:
        return records.Target;
    case ExerciseWindow::Scrap:
        return records.Scrap;
    default:
        return records.Variance;
    }
}

class PracticeWindowFixture : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_window.reset();
        dialogs.expectAllAnswered();
    }

    PracticeWindow& open(ExerciseWindow which, const QString& level = QStringLiteral("simple"))
    {
        RecordOf(records, which).PracticeLevel = level;
        PracticeWindowContext context{&dialogs, &runTime, &records,
                                      [this](const QString& code) { availability << code; }};
        m_window = std::make_unique<PracticeWindow>(which, std::move(context));
        m_window->show();
        m_window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        return *m_window;
    }

    PracticeWindow& window() const { return *m_window; }
    shell::GridWidget& grid() const { return *m_window->grid(); }
    QLineEdit* box(const char* letter) const { return m_window->levelBox(QLatin1String(letter)); }
    void type(const char* letter, const QString& text) const { box(letter)->setText(text); }
    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    testsupport::ScriptedDialogService dialogs;
    core::RunTimeState runTime;
    PracticeRecords records;
    SeededSource source{20240611};
    ProgramRandomScope random{source};
    QStringList availability;

private:
    std::unique_ptr<PracticeWindow> m_window;
};

} // namespace zeltomir::practice::testing
