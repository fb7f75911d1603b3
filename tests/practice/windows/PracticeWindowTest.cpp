// The buttons of a practice window driven as a learner would, mostly on the
// target window at the simple level (factors A and D).

#include "PracticeWindowFixture.h"

#include "core/NumberText.h"
#include "practice/LetteredAnswer.h"
#include "practice/QuadraticModel.h"
#include "practice/VarianceModel.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QLabel>
#include <QTableView>

#include <stdexcept>

namespace zeltomir::practice::testing {
namespace {

using shell::MessageAnswer;
using shell::MessageButtons;
using shell::MessageRequest;

QString Level(float value)
{
    return QString::number(value, 'g', 9);
}

class TargetWindowTest : public PracticeWindowFixture {
protected:
    void SetUp() override { open(ExerciseWindow::Target); }

    QString score() const
    {
        const PracticeForm& f = window().form();
        return f.correct->text() + " " + f.incorrect->text() + " " + f.percentage->text();
    }
    // Types the hidden answer's levels, or levels far from it, and checks.
    void checkAnswer(bool correct)
    {
        const QuadraticAnswerLevels answer = AnswerLevels(records.Target.Model, records.Target.AnswerText);
        type("A", correct ? Level(answer.first) : QStringLiteral("500"));
        type("D", correct ? Level(answer.second) : QStringLiteral("-500"));
        dialogs.answerMessage(MessageAnswer::Ok);
        click(window().form().checkAnswer);
    }
    void newQuestion()
    {
        dialogs.answerMessage(MessageAnswer::Ok);
        click(window().form().generateQuestion);
    }
};

TEST_F(TargetWindowTest, LimitCheckRefusesTheFirstFactorOutsideItsLimits)
{
    const struct {
        const char* a;
        const char* d;
        const char* refused; // the box that takes the focus; nullptr when the levels pass
        const char* text;
    } cases[] = {
        {"600", "0", "A", "The value of factor A is greater than the upper limit."},
        {"-500.5", "900", "A", "The value of factor A is less than the lower limit."},
        {"0", "501", "D", "The value of factor D is greater than the upper limit."},
        {"500", "-500", nullptr, ""},
        {"-500", "500", nullptr, ""},
        {"", "not a number", nullptr, ""},
    };
    int rows = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " / " + c.d);
        type("A", QLatin1String(c.a));
        type("D", QLatin1String(c.d));
        box(c.refused && *c.refused == 'A' ? "D" : "A")->setFocus();
        if (c.refused)
            dialogs.answerMessage(MessageAnswer::Ok);
        click(window().form().computeResponse);
        if (c.refused) {
            EXPECT_EQ(dialogs.messages().back(), (MessageRequest{"Input Error", c.text, core::MessageIcon::None}));
            EXPECT_EQ(QApplication::focusWidget(), box(c.refused));
        } else {
            ++rows;
        }
        EXPECT_EQ(grid().firstEmptyRow(1), rows + 1);
    }
    // Far from the optimum the responses run to many digits, and a learner
    // may paste a long text: every column shows its widest text whole.
    grid().pasteText(1, rows + 1, QStringLiteral("-123456.7890123"));
    for (int col = 1; col <= grid().maxCols(); ++col)
        EXPECT_GE(grid().colWidth(col), grid().maxTextColWidth(col)) << "column " << col;
}

TEST_F(TargetWindowTest, HiddenFactorsTakePartInTheCheckButNeverTakeTheFocus)
{
    type("B", QStringLiteral("600"));
    box("D")->setFocus();
    dialogs.answerMessage(MessageAnswer::Ok);
    EXPECT_FALSE(window().computeResponse());
    EXPECT_EQ(dialogs.messages().back().text, QStringLiteral("The value of factor B is greater than the upper limit."));
    EXPECT_EQ(QApplication::focusWidget(), box("D"));
}

TEST_F(TargetWindowTest, RowsAccumulateWithEmptyBoxesAtLevelZero)
{
    type("D", QStringLiteral("10"));
    click(window().form().computeResponse);
    type("A", QStringLiteral("0.1"));
    click(window().form().computeResponse);
    EXPECT_EQ(GridRow(grid(), 1).mid(0, 2), (QStringList{"0", "10"}));
    EXPECT_EQ(GridRow(grid(), 2).mid(0, 2), (QStringList{"0.1", "10"}));
    EXPECT_EQ(grid().firstEmptyRow(1), 3);
    // The result is the pictured number with at most two decimals, noise
    // of mean 5 and spread 2 on the model's response at A = 0.
    const QString result = grid().cell(3, 1);
    const double expected = QuadraticResponse(records.Target.Model, 0.0F, 10.0F) + 5;
    EXPECT_NEAR(core::ParseNumber(result).value_or(-1e30), expected, 12);
    EXPECT_LE(result.section('.', 1).size(), 2);
}

TEST_F(TargetWindowTest, ANewRowBelowTheVisibleOnesIsScrolledIntoView)
{
    for (int row = 1; row <= 40; ++row)
        grid().setCell(1, row, QString::number(row));
    grid().setCurrentCell(2, 3);
    grid().selectBlock({1, 2, 3, 5});
    ASSERT_FALSE(RowInView(grid(), 41));
    click(window().form().computeResponse);
    EXPECT_EQ(GridRow(grid(), 41).mid(0, 2), (QStringList{"0", "0"}));
    EXPECT_TRUE(RowInView(grid(), 41));
    EXPECT_EQ(grid().currentCol() * 100 + grid().currentRow(), 203);
    EXPECT_EQ(grid().selectedBlock(), (shell::GridBlock{1, 2, 3, 5}));
}

TEST_F(TargetWindowTest, HourglassShowsWhileComputingAndIsRestoredOnEveryWayOut)
{
    QList<Qt::CursorShape> shapes;
    source.onDraw = [&] {
        const QCursor* cursor = QApplication::overrideCursor();
        shapes << (cursor ? cursor->shape() : Qt::ArrowCursor);
    };
    click(window().form().computeResponse);
    ASSERT_FALSE(shapes.isEmpty());
    EXPECT_EQ(shapes.count(Qt::WaitCursor), shapes.size());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    source.onDraw = [] { throw std::runtime_error("no numbers"); };
    EXPECT_THROW(window().computeResponse(), std::runtime_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TargetWindowTest, OnlyTheFirstCheckOfAQuestionCounts)
{
    checkAnswer(false);
    checkAnswer(true);
    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 2U);
    EXPECT_EQ(messages[0], (MessageRequest{"Question Response", "Your response is Incorrect.",
                                           core::MessageIcon::Information}));
    EXPECT_EQ(messages[1].text, QStringLiteral("Your response is Correct!"));
    EXPECT_EQ(score(), QStringLiteral("0 1 0%"));
}

TEST_F(TargetWindowTest, ScoreShowsThePercentageAndResetStatusAsksFirst)
{
    checkAnswer(true);
    newQuestion();
    checkAnswer(false);
    newQuestion();
    checkAnswer(false);
    EXPECT_EQ(score(), QStringLiteral("1 2 33.3%"));

    const MessageRequest question{"Message",
                                  "Do you want to set the number of correct and incorrect responses to zero?",
                                  core::MessageIcon::Exclamation, MessageButtons::YesNo, MessageAnswer::No};
    dialogs.answerMessage(MessageAnswer::No);
    click(window().form().resetStatus);
    EXPECT_EQ(dialogs.messages().back(), question);
    EXPECT_EQ(score(), QStringLiteral("1 2 33.3%"));

    dialogs.answerMessage(MessageAnswer::Yes);
    click(window().form().resetStatus);
    EXPECT_EQ(score(), QStringLiteral("0 0 0%"));
    EXPECT_EQ(records.Target.CorrectCount + records.Target.IncorrectCount, 0);
    EXPECT_EQ(records.Target.Answered, 1);
}

TEST_F(TargetWindowTest, CopyTakesTheHeadersAndClearSpreadsheetKeepsThem)
{
    type("A", QStringLiteral("-12.5"));
    type("D", QStringLiteral("40"));
    click(window().form().computeResponse);
    click(window().form().computeResponse);
    click(window().form().copyData);
    const QString rows = "A\tD\tResult\n" + GridRow(grid(), 1).join('\t') + "\n" + GridRow(grid(), 2).join('\t') + "\n";
    EXPECT_EQ(QApplication::clipboard()->text(), rows);
    EXPECT_TRUE(rows.contains(QStringLiteral("-12.5\t40\t")));

    const MessageRequest question{"Warning", "Click Yes to delete all the data in the spreadsheet.  Click No to cancel.",
                                  core::MessageIcon::Critical, MessageButtons::YesNo, MessageAnswer::No};
    dialogs.answerMessage(MessageAnswer::No);
    click(window().form().clearSpreadsheet);
    EXPECT_EQ(dialogs.messages().back(), question);
    EXPECT_EQ(grid().firstEmptyRow(1), 3);

    grid().setCurrentCell(2, 2);
    grid().scrollToRow(grid().maxRows());
    dialogs.answerMessage(MessageAnswer::Yes);
    click(window().form().clearSpreadsheet);
    EXPECT_EQ(grid().firstEmptyRow(1), 1);
    EXPECT_TRUE(RowInView(grid(), 1));
    EXPECT_EQ(GridRow(grid(), 0), (QStringList{"A", "D", "Result"}));
    EXPECT_EQ(grid().currentCol() * 10 + grid().currentRow(), 11);
    click(window().form().copyData);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("A\tD\tResult\n"));
}

TEST_F(PracticeWindowFixture, ArrowKeysMoveBetweenShownBoxesSelectingTheirText)
{
    const struct {
        ExerciseWindow which;
        const char* level;
        const char* path; // the box focused after each key, starting at A
        const char* keys; // d: Down, u: Up
    } cases[] = {
        {ExerciseWindow::Target, "simple", "DDAA", "dduu"},
        {ExerciseWindow::Variance, "simple", "DEDAA", "dduuu"},
        {ExerciseWindow::Variance, "all", "BCDEFGG", "ddddddd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.level) + " " + c.keys);
        open(c.which, QLatin1String(c.level));
        for (const QString& letter : AllFactors(window().config().factorCount))
            window().levelBox(letter)->setText(letter + "1");
        box("A")->setFocus();
        for (int i = 0; c.keys[i] != 0; ++i) {
            QTest::keyClick(QApplication::focusWidget(), c.keys[i] == 'd' ? Qt::Key_Down : Qt::Key_Up);
            const char letter[] = {c.path[i], 0};
            ASSERT_EQ(QApplication::focusWidget(), box(letter)) << "after key " << i + 1;
            EXPECT_EQ(box(letter)->selectedText(), QString(letter) + "1");
        }
    }
}

TEST_F(PracticeWindowFixture, ResponsesFollowTheWindowsPictures)
{
    // Variance: at the hidden levels the scatter is 0, and the grid shows
    // the picture text with up to three decimals.
    open(ExerciseWindow::Variance);
    const VarianceModel model = records.Variance.Model;
    type("A", Level(model.TargetFirst));
    type("D", Level(model.TargetSecond));
    type("E", QStringLiteral("2.5"));
    click(window().form().computeResponse);
    FactorLevels levels{model.TargetFirst, 0, 0, model.TargetSecond, 2.5F, 0, 0};
    SeededSource any(1);
    const double expected = SimulateVarianceResponse(model, levels, any);
    // Levels show in their single-precision form.
    const auto single = [](float v) { return core::GeneralForm(v, core::Precision::Single); };
    EXPECT_EQ(GridRow(grid(), 1), (QStringList{single(model.TargetFirst), single(model.TargetSecond), "2.5",
                                               core::FormatPicture(expected, core::Picture::ThreeDecimals)}));

    // Scrap: a whole number of parts per million, near 505 at the optimum.
    open(ExerciseWindow::Scrap);
    const QuadraticAnswerLevels answer = AnswerLevels(records.Scrap.Model, records.Scrap.AnswerText);
    type("A", Level(answer.first));
    type("D", Level(answer.second));
    click(window().form().computeResponse);
    const QString rate = grid().cell(3, 1);
    EXPECT_FALSE(rate.contains('.')) << rate.toStdString();
    EXPECT_NEAR(rate.toDouble(), 505, 12);
}

} // namespace
} // namespace zeltomir::practice::testing
