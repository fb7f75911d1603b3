// What the four practice windows share, checked on each of them: controls,
// levels, activation, focus, new questions and the answer box.

#include "PracticeWindowFixture.h"

#include "practice/LetteredAnswer.h"
#include "practice/PracticeScore.h"
#include "practice/ProblemStatements.h"
#include "practice/QuadraticModel.h"
#include "shell/Twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include <ostream>

namespace zeltomir::practice::testing {
namespace {

using shell::MessageAnswer;
using shell::MessageButtons;
using shell::MessageRequest;

struct Design {
    ExerciseWindow which;
    const char* name;
    const char* caption;
    const char* code;
    const char* lower;
    const char* upper;
    QStringList simpleColumns;
    bool setsFocusTarget;
    QString (*answer)(const PracticeRecords&);
};

void PrintTo(const Design& design, std::ostream* out) { *out << design.name; }

const Design Designs[] = {
    {ExerciseWindow::Target, "frm_DOE_PBLM_2", "Process Target Optimization", "TOO", "-500", "500",
     {"A", "D", "Result"}, true, [](const PracticeRecords& r) { return QuadraticAnswerView(r.Target); }},
    {ExerciseWindow::Variance, "frmVarMinNew", "Process Variance Minimization", "VO", "-50", "50",
     {"A", "D", "E", "Result"}, true,
     [](const PracticeRecords& r) { return LetteredAnswerView(r.Variance.AnswerText, false); }},
    {ExerciseWindow::OlderVariance, "frm_DOE_PBLM_3", "Process Variance Minimization", "VO", "-25", "25",
     {"A", "D", "E", "Result"}, false,
     [](const PracticeRecords& r) { return LetteredAnswerView(r.Variance.Robust.AnswerText, true); }},
    {ExerciseWindow::Scrap, "frmScrapMin", "Scrap Minimization", "TO5", "-500", "500", {"A", "D", "Result"}, true,
     [](const PracticeRecords& r) { return QuadraticAnswerView(r.Scrap); }},
};

class PracticeWindowDesignTest : public PracticeWindowFixture, public ::testing::WithParamInterface<Design> {
protected:
    int factorCount() const { return WindowConfig(GetParam().which).factorCount; }
};

TEST_P(PracticeWindowDesignTest, SimpleLevelShowsOnlyTheSignificantFactorsWithTheirColumns)
{
    const Design& d = GetParam();
    PracticeWindow& w = open(d.which);
    EXPECT_EQ(w.objectName(), QLatin1String(d.name));
    EXPECT_EQ(w.windowTitle(), QLatin1String(d.caption));
    EXPECT_EQ(w.size(), shell::TwipsSize(&w, w.config().widthTwips, w.config().heightTwips));
    // Factor G and its box Text1 exist in the variance windows only.
    EXPECT_EQ(w.findChild<QLineEdit*>(QStringLiteral("Text1")) != nullptr, factorCount() == 7);
    for (const FactorControlNames& n : FactorControls()) {
        SCOPED_TRACE(n.letter.toStdString());
        auto* levelBox = w.findChild<QLineEdit*>(n.textBox);
        if (!levelBox)
            continue;
        const bool shown = d.simpleColumns.contains(n.letter);
        EXPECT_EQ(levelBox->isHidden(), !shown);
        EXPECT_EQ(w.findChild<QLabel*>(n.nameLabel)->text(), n.letter);
        EXPECT_EQ(w.findChild<QLabel*>(n.lowerLabel)->text(), QLatin1String(d.lower));
        EXPECT_EQ(w.findChild<QLabel*>(n.upperLabel)->isHidden(), !shown);
    }
    EXPECT_EQ(GridRow(grid(), 0), d.simpleColumns);
    EXPECT_EQ(GridRow(grid(), 1).join(QString()), QString()); // the load run leaves no row
    EXPECT_EQ(w.form().percentage->text(), QStringLiteral("0%"));
    EXPECT_EQ(w.form().statement->toPlainText(), w.exercise().layout().problemText.replace("\r\n", "\n"));
}

TEST_P(PracticeWindowDesignTest, AdvancedLevelShowsEveryFactor)
{
    PracticeWindow& w = open(GetParam().which, QStringLiteral("all"));
    QStringList headers = AllFactors(factorCount());
    for (const QString& letter : headers)
        EXPECT_FALSE(w.levelBox(letter)->isHidden()) << letter.toStdString();
    headers << QStringLiteral("Result");
    EXPECT_EQ(GridRow(grid(), 0), headers);
}

TEST_P(PracticeWindowDesignTest, ActivationWritesTheCodeThenUpdatesTheCommands)
{
    open(GetParam().which).activated();
    EXPECT_EQ(runTime.ActiveWindow, QLatin1String(GetParam().code));
    EXPECT_EQ(availability, QStringList{GetParam().code});
}

TEST_P(PracticeWindowDesignTest, LevelBoxSelectsItsTextOnFocusAndSetsTheFocusTarget)
{
    const QString untouched = GetParam().setsFocusTarget ? QString() : QStringLiteral("none");
    runTime.FocusTarget = untouched;
    open(GetParam().which);
    type("A", QStringLiteral("12.5"));
    box("D")->setFocus();
    box("A")->setFocus();
    EXPECT_EQ(box("A")->selectedText(), QStringLiteral("12.5"));
    EXPECT_EQ(runTime.FocusTarget, GetParam().setsFocusTarget ? QStringLiteral("text") : untouched);
    grid().setFocus();
    EXPECT_EQ(runTime.FocusTarget, GetParam().setsFocusTarget ? QStringLiteral("ss") : untouched);
}

TEST_P(PracticeWindowDesignTest, GenerateQuestionEmptiesBoxesAndRowsButKeepsHeadersAndScore)
{
    PracticeWindow& w = open(GetParam().which, QStringLiteral("all"));
    for (const QString& letter : AllFactors(factorCount()))
        w.levelBox(letter)->setText(QStringLiteral("1"));
    click(w.form().computeResponse);
    click(w.form().computeResponse);
    dialogs.answerMessage(MessageAnswer::Ok); // the answer's verdict
    click(w.form().checkAnswer);
    const QStringList headers = GridRow(grid(), 0);
    const QString score = w.form().correct->text() + w.form().incorrect->text() + w.form().percentage->text();
    ASSERT_EQ(grid().firstEmptyRow(1), 3);
    grid().scrollToRow(grid().maxRows());

    dialogs.answerMessage(MessageAnswer::Ok);
    click(w.form().generateQuestion);
    EXPECT_EQ(dialogs.messages().back(),
              (MessageRequest{"Notice", GenerateQuestionNotice().text, core::MessageIcon::Information}));
    EXPECT_EQ(w.levelTexts().join(QString()), QString());
    EXPECT_EQ(grid().firstEmptyRow(1), 1);
    EXPECT_TRUE(RowInView(grid(), 1));
    EXPECT_EQ(GridRow(grid(), 0), headers);
    EXPECT_EQ(w.form().correct->text() + w.form().incorrect->text() + w.form().percentage->text(), score);
    EXPECT_EQ(RecordOf(records, GetParam().which).Answered, 0);
}

TEST_P(PracticeWindowDesignTest, ViewAnswerShowsTheHiddenLevelsAndCountsNothing)
{
    open(GetParam().which);
    const PracticeProblem before = RecordOf(records, GetParam().which);
    dialogs.answerMessage(MessageAnswer::Ok);
    click(window().form().viewAnswer);
    ASSERT_EQ(dialogs.messages().size(), 1U);
    EXPECT_EQ(dialogs.messages().back(),
              (MessageRequest{"Correct Answer", GetParam().answer(records), core::MessageIcon::Information}));
    EXPECT_FALSE(dialogs.messages().back().text.isEmpty());
    EXPECT_EQ(RecordOf(records, GetParam().which), before);
}

// At its own size, with every factor shown, the window leaves the grid room
// for ten runs and every column, and cuts no control short.
TEST_P(PracticeWindowDesignTest, GridShowsTenRunsAndEveryColumnBesideWholeControls)
{
    PracticeWindow& w = open(GetParam().which, QStringLiteral("all"));
    const QTableView* view = grid().findChild<QTableView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_GE(view->viewport()->height() / view->rowHeight(0), 10);
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);
    for (const QWidget* control : w.findChildren<QWidget*>()) {
        if (!qobject_cast<const QPushButton*>(control) && !qobject_cast<const QLineEdit*>(control))
            continue;
        SCOPED_TRACE(control->objectName().toStdString());
        const QRect inWindow(control->mapTo(&w, QPoint(0, 0)), control->size());
        EXPECT_TRUE(w.rect().contains(inWindow));
        EXPECT_GE(control->width(), control->minimumSizeHint().width());
        EXPECT_GE(control->height(), control->sizeHint().height());
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, PracticeWindowDesignTest, ::testing::ValuesIn(Designs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PracticeFormTest, ArrowKeysReachTheNearestShownBoxOrStay)
{
    const std::vector<bool> simple{true, false, false, true, true, false, false}; // A, D, E shown
    const struct {
        int from;
        int step;
        int to;
    } cases[] = {{0, 1, 3}, {3, 1, 4}, {4, 1, 4}, {4, -1, 3}, {3, -1, 0}, {0, -1, 0}, {2, 1, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.from << " step " << c.step);
        EXPECT_EQ(NeighbourBox(simple, c.from, c.step), c.to);
    }
}

// The design-time statement breaks its lines where the original box was
// full (each broken line ends in a blank); the box, narrower or wider, flows
// those lines into one paragraph instead of leaving a word or two on a line,
// and a break after the last line leaves no empty line below it.
TEST(PracticeFormTest, StatementLinesBrokenToFitFlowTogether)
{
    const struct {
        QString text;
        QString shown;
    } cases[] = {
        {"One two \r\nthree four \r\nfive.", "One two three four five."},
        {"Ends here.\r\n", "Ends here."},
        {"First.\r\nSecond.", "First.\nSecond."},
        {"No breaks at all.", "No breaks at all."},
    };
    QPlainTextEdit box;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        SetStatementText(box, c.text);
        EXPECT_EQ(box.toPlainText(), c.shown);
    }
    SetStatementText(box, TargetDesignTimeStatement());
    EXPECT_EQ(box.toPlainText().count(QLatin1Char('\n')), 0);
    EXPECT_TRUE(box.toPlainText().contains(QStringLiteral("have been identified as having")));
}

} // namespace
} // namespace zeltomir::practice::testing
