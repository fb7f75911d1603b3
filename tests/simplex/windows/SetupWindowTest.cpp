#include "WindowHarness.h"

#include <QFile>
#include <QFontMetrics>
#include <QRadioButton>
#include <QToolButton>

namespace zeltomir::simplex::test {
namespace {

using shell::MessageAnswer;
using shell::MessageRequest;

const QString NotInteger = QStringLiteral("The number of factors must be an integer.");
const QString AboveMaximum = QStringLiteral("The maximum number of factors allowed is 100.");

MessageRequest Critical(const QString& title, const QString& text)
{
    return {title, text, core::MessageIcon::Critical, shell::MessageButtons::Ok, MessageAnswer::Ok};
}

QStringList Texts(const std::vector<MessageRequest>& messages)
{
    QStringList texts;
    for (const MessageRequest& message : messages)
        texts << message.text;
    return texts;
}

// The count box is checked on every change; a value that stays bad over
// several keystrokes is reported once.
TEST(SetupWindowTest, CountBoxChecksEachChangeWithoutPilingUpMessages)
{
    const struct {
        const char* name;
        QStringList typed; // each entry replaces the box's text, typed key by key
        QStringList messages;
        int numFactors;
    } cases[] = {
        {"a fitting count", {"7"}, {}, 7},
        {"150: one maximum message, the count of 15 stays", {"150"}, {AboveMaximum}, 15},
        {"1500: still one message", {"1500"}, {AboveMaximum}, 15},
        {"2.5 is taken as 2 without a message", {"2.5"}, {}, 2},
        {"3.5 is taken as 4", {"3.5"}, {}, 4},
        {"letters: one message for the whole word", {"abc"}, {NotInteger}, 2},
        {"a lone minus sign is no number; -3 passes", {"-3"}, {NotInteger}, -3},
        {"good again in between: the message comes again", {"150", "15", "150"}, {AboveMaximum, AboveMaximum}, 15},
        {"an emptied box answers at once", {""}, {NotInteger}, 2},
        {"grouping marks are no number", {"1,5"}, {NotInteger}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h;
        for (int i = 0; i < c.messages.size(); ++i)
            h.dialogs.answerMessage(MessageAnswer::Ok);
        for (const QString& text : c.typed)
            WindowHarness::typeInto(h.setup().countBox(), text);
        const std::vector<MessageRequest> shown = h.dialogs.messages();
        EXPECT_EQ(Texts(shown), c.messages);
        for (const MessageRequest& message : shown)
            EXPECT_EQ(message, Critical(QStringLiteral("Input Error"), message.text));
        EXPECT_EQ(h.problem.NumFactors, c.numFactors);
        EXPECT_TRUE(h.setup().countBox()->hasFocus());
    }
}

// A change that arrives while the count message is on screen must not open a
// second message box over it; it is checked once the first is gone.
TEST(SetupWindowTest, CountMessageDoesNotReenter)
{
    const struct {
        const char* name;
        QString changedMeanwhile;
        int messages;
        int numFactors;
    } cases[] = {
        {"changed to a fitting count", "7", 1, 7},
        {"changed to another bad count", "300", 1, 15},
        {"changed to text", "x", 2, 15},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h;
        QLineEdit* box = h.setup().countBox();
        int depth = 0;
        int deepest = 0;
        h.dialogs.answerMessage(MessageAnswer::Ok, [&] {
            ++depth;
            deepest = std::max(deepest, depth);
            box->setText(c.changedMeanwhile);
            --depth;
        });
        if (c.messages > 1)
            h.dialogs.answerMessage(MessageAnswer::Ok);
        WindowHarness::typeInto(box, QStringLiteral("150"));
        EXPECT_EQ(static_cast<int>(h.dialogs.messages().size()), c.messages);
        EXPECT_EQ(deepest, 1);
        EXPECT_EQ(h.problem.NumFactors, c.numFactors);
    }
}

enum class Button { DefineFactors, DefineInitialSimplex, BeginOptimization };
enum class Box { Count, Target, None };

TEST(SetupWindowTest, ButtonChecksReportAndPutTheFocusOnTheirBox)
{
    const struct {
        const char* name;
        QString count;
        bool targetGoal;
        QString target;
        Button button;
        QString title;
        QString text;
        Box focus;
    } cases[] = {
        {"Define Factors, count not a number", "abc", false, "", Button::DefineFactors, "Input Error", NotInteger,
         Box::Count},
        {"Define Factors, count above the maximum", "101", false, "", Button::DefineFactors, "Input Error",
         AboveMaximum, Box::Count},
        {"Define Initial Simplex, one factor", "1", false, "", Button::DefineInitialSimplex, "Input Error",
         "There must be at least 2 factors.", Box::Count},
        {"Define Initial Simplex, count above the maximum", "150", false, "", Button::DefineInitialSimplex,
         "Input Error", AboveMaximum, Box::Count},
        {"target goal, empty target: before the count is looked at", "abc", true, "", Button::DefineInitialSimplex,
         "Data Input Error", "The target response must be numeric.", Box::Target},
        {"target goal, target not a number", "3", true, "ten", Button::DefineInitialSimplex, "Data Input Error",
         "The target response must be numeric.", Box::Target},
        {"Begin Optimization before the initial simplex", "2", false, "", Button::BeginOptimization, "Notice",
         "You must define the initial simplex before continuing.", Box::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h;
        SetupWindow& setup = h.setup();
        // The count box reports on its own while being typed into.
        h.dialogs.answerMessage(MessageAnswer::Ok);
        h.dialogs.answerMessage(MessageAnswer::Ok);
        WindowHarness::typeInto(setup.countBox(), c.count);
        h.dialogs.clear();
        if (c.targetGoal) {
            WindowHarness::clickOption(setup.goalOption(2));
            WindowHarness::typeInto(setup.targetBox(), c.target);
        }
        setup.setDefineInitialSimplexEnabled(true);
        const QByteArray snapshotBefore = [&] {
            QFile file(h.snapshots().undoPath());
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        }();

        h.dialogs.answerMessage(MessageAnswer::Ok);
        QPushButton* button = c.button == Button::DefineFactors ? setup.defineFactorsButton()
                              : c.button == Button::DefineInitialSimplex ? setup.defineInitialSimplexButton()
                                                                         : setup.beginOptimizationButton();
        h.click(button);

        ASSERT_EQ(h.dialogs.messages().size(), 1u);
        EXPECT_EQ(h.dialogs.messages().front(), Critical(c.title, c.text));
        if (c.focus == Box::Count) {
            EXPECT_TRUE(setup.countBox()->hasFocus());
        } else if (c.focus == Box::Target) {
            EXPECT_TRUE(setup.targetBox()->hasFocus());
        }
        // Nothing opened, nothing stored for Undo.
        EXPECT_EQ(h.windows().factorWindow(), nullptr);
        EXPECT_EQ(h.windows().initialSimplexWindow(), nullptr);
        EXPECT_EQ(h.windows().stepsWindow(), nullptr);
        EXPECT_FALSE(h.undoEnabled());
        QFile file(h.snapshots().undoPath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), snapshotBefore);
        EXPECT_EQ(h.problem.Stage.text(), QStringLiteral("none"));
    }
}

TEST(SetupWindowTest, OneFactorPassesDefineFactors)
{
    WindowHarness h;
    WindowHarness::typeInto(h.setup().countBox(), QStringLiteral("1"));
    h.click(h.setup().defineFactorsButton());
    ASSERT_NE(h.windows().factorWindow(), nullptr);
    EXPECT_EQ(h.factors().grid()->maxRows(), 1);
    EXPECT_TRUE(h.dialogs.messages().empty());
}

// A valid target is stored before the count is checked, and stays stored
// when the count is refused.
TEST(SetupWindowTest, ValidTargetIsKeptWhenTheCountIsRefused)
{
    WindowHarness h;
    WindowHarness::clickOption(h.setup().goalOption(2));
    WindowHarness::typeInto(h.setup().targetBox(), QStringLiteral("0.1"));
    h.dialogs.answerMessage(MessageAnswer::Ok);
    WindowHarness::typeInto(h.setup().countBox(), QStringLiteral("150"));
    h.setup().setDefineInitialSimplexEnabled(true);
    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.click(h.setup().defineInitialSimplexButton());
    EXPECT_EQ(h.dialogs.messages().back().text, AboveMaximum);
    // Held at single precision.
    EXPECT_EQ(h.problem.TargetValue, static_cast<double>(0.1f));
    EXPECT_EQ(h.problem.Goal.text(), QStringLiteral("mid"));
}

TEST(SetupWindowTest, GoalAndStepTypeOptions)
{
    WindowHarness h;
    SetupWindow& setup = h.setup();
    // As created: maximise, variable steps, target box disabled showing 0,
    // Define Initial Simplex disabled.
    EXPECT_TRUE(setup.goalOption(0)->isChecked());
    EXPECT_TRUE(setup.stepTypeOption(0)->isChecked());
    EXPECT_FALSE(setup.targetBox()->isEnabled());
    EXPECT_EQ(setup.targetBox()->text(), QStringLiteral("0"));
    EXPECT_EQ(setup.countBox()->text(), QStringLiteral("2"));
    EXPECT_FALSE(setup.defineInitialSimplexButton()->isEnabled());
    EXPECT_EQ(h.problem.StepType, QStringLiteral("Variable"));

    const struct {
        int option;
        const char* goal;
        bool targetEnabled;
    } goals[] = {{1, "min", false}, {2, "mid", true}, {0, "max", false}, {2, "mid", true}};
    WindowHarness::clickOption(setup.goalOption(2));
    WindowHarness::typeInto(setup.targetBox(), QStringLiteral("42"));
    WindowHarness::clickOption(setup.goalOption(2));
    for (const auto& g : goals) {
        SCOPED_TRACE(g.goal);
        WindowHarness::clickOption(setup.goalOption(g.option));
        EXPECT_EQ(h.problem.Goal.text(), QLatin1String(g.goal));
        EXPECT_EQ(setup.targetBox()->isEnabled(), g.targetEnabled);
        // Switching back and forth keeps the target; the box is not cleared.
        EXPECT_EQ(h.problem.TargetValue, 42.0);
        EXPECT_EQ(setup.targetBox()->text(), QStringLiteral("42"));
    }
    WindowHarness::clickOption(setup.stepTypeOption(1));
    EXPECT_EQ(h.problem.StepType, QStringLiteral("Fixed"));
    WindowHarness::clickOption(setup.stepTypeOption(0));
    EXPECT_EQ(h.problem.StepType, QStringLiteral("Variable"));

    const QStringList names{"Option1_0", "Option1_1", "Option1_2"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(setup.goalOption(i)->objectName(), names[i]);
        EXPECT_EQ(setup.goalOption(i)->property("index").toInt(), i);
    }
    EXPECT_EQ(setup.stepTypeOption(1)->objectName(), QStringLiteral("optSimplexType_1"));
}

TEST(SetupWindowTest, ActivationAndFocusedTextBox)
{
    WindowHarness h;
    EXPECT_EQ(h.runTime.ActiveWindow, QStringLiteral("SeqSimplexInitialize"));
    // The setup window has no grid to print.
    EXPECT_FALSE(h.mainWindow().toolButton(QStringLiteral("btnPrint"))->isEnabled());
    EXPECT_TRUE(h.mainWindow().menuAction(QStringLiteral("mnuVertexSummary"))->isEnabled());

    h.setup().targetBox()->setEnabled(true);
    h.setup().targetBox()->setFocus();
    EXPECT_EQ(h.runTime.FocusedTextBox, QStringLiteral("text2"));
    h.setup().countBox()->setFocus();
    EXPECT_EQ(h.runTime.FocusedTextBox, QStringLiteral("text1"));

    // A goal changed elsewhere (a loaded problem) is shown on activation.
    h.click(h.setup().defineFactorsButton());
    h.problem.Goal = core::Goal::Target;
    h.windows().openSetupWindow();
    EXPECT_TRUE(h.setup().goalOption(2)->isChecked());
    EXPECT_TRUE(h.setup().targetBox()->isEnabled());
}

// The controls carry their captions; the three buttons form a column of one
// width in which even the longest caption has a line height of room on
// either side.
TEST(SetupWindowTest, ButtonsShareOneWidthWithRoomAroundTheirCaptions)
{
    WindowHarness h;
    SetupWindow& setup = h.setup();
    const std::pair<const char*, const char*> captions[] = {
        {"Label1", "Number of Factors:"},        {"Frame1", "Problem Type"},
        {"Option1_0", "Maximize Response"},       {"Option1_1", "Minimize Response"},
        {"Option1_2", "Obtain a Response of"},    {"Frame2", "Simplex Type"},
        {"optSimplexType_0", "Variable Size Steps"}, {"optSimplexType_1", "Fixed Size Steps"},
        {"Command1", "Define Factors"},           {"Command2", "Define Initial Simplex"},
        {"Command3", "Begin Optimization"},
    };
    EXPECT_EQ(setup.windowTitle(), QStringLiteral("Initialize Simplex Algorithm"));
    for (const auto& [name, caption] : captions) {
        const QWidget* control = setup.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->property(control->inherits("QGroupBox") ? "title" : "text").toString(),
                  QLatin1String(caption));
    }
    QPushButton* const buttons[] = {setup.defineFactorsButton(), setup.defineInitialSimplexButton(),
                                    setup.beginOptimizationButton()};
    for (const QPushButton* button : buttons) {
        SCOPED_TRACE(button->text().toStdString());
        const QFontMetrics metrics(button->font());
        EXPECT_EQ(button->width(), buttons[0]->width());
        EXPECT_GE(button->width() - metrics.horizontalAdvance(button->text()), 2 * metrics.height());
        EXPECT_TRUE(setup.rect().contains(QRect(button->mapTo(&setup, QPoint(0, 0)), button->size())));
    }
}

} // namespace
} // namespace zeltomir::simplex::test
