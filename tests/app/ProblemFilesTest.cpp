// File > Save, Open and New through the running program: state files for
// each stage of a problem, the two exercise files, and files that must be
// refused without changing anything.

#include "ProgramHarness.h"

#include "app/DocumentCommands.h"
#include "core/StateFile.h"
#include "practice/PracticeRecords.h"
#include "practice/windows/PracticeWindow.h"
#include "practice/windows/PracticeWindows.h"
#include "shell/GridWidget.h"
#include "shell/MainWindow.h"
#include "simplex/windows/FactorWindow.h"
#include "simplex/windows/SetupWindow.h"
#include "simplex/windows/SimplexWindows.h"
#include "simplex/windows/StepsWindow.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <functional>

namespace zeltomir::app::test {
namespace {

using shell::MessageAnswer;

const QList<QStringList> KnownFactors{{"Temp", "20", "80", "2"}, {"Time", "10", "50", "1"}};

// A valid target exercise: letters B and E, a surface with one maximum.
const QStringList TargetLines{"B", "E", " 12.5 ", "-40 ", " 80 ", " 0.5 ", "-0.25 ", " 0.001 ", " 0.002 ", " 0.003 ",
                              "B1.5E-2.25H"};

// A valid variance exercise of the older window.
const QStringList VarianceLines{"C", "F", " 1.5 ", "-2 ", "", " 145.25 ", " 142 ", " 15.5 ", " 12.25 ", " 30 ",
                                "C4.9F2.63G-0.59H", "", "a statement of another program run"};

QByteArray CrLf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    return bytes;
}

practice::PracticeRecords& Records()
{
    return practice::ProgramPracticeRecords();
}

void ExpectOneNotice(const testsupport::ScriptedDialogService& dialogs, const QString& path, const char* verb)
{
    const auto messages = dialogs.messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages.front().title, "Notice");
    EXPECT_EQ(messages.front().buttons, shell::MessageButtons::Ok);
    EXPECT_EQ(messages.front().icon, core::MessageIcon::Critical);
    const QString start = QStringLiteral("The file %1 could not be %2: ").arg(QDir::toNativeSeparators(path), verb);
    EXPECT_TRUE(messages.front().text.startsWith(start)) << messages.front().text.toStdString();
    EXPECT_GT(messages.front().text.size(), start.size()) << "the reason is missing";
}

class ProblemFilesTest : public testing::Test {
protected:
    void save(const QString& path)
    {
        h.dialogs.answerSave(path);
        h.triggerMenu("mnufilesave");
    }

    void open(const QString& path)
    {
        h.dialogs.answerOpen(path);
        h.clickTool("Open_button");
    }

    void newProblem()
    {
        h.dialogs.answerMessage(MessageAnswer::Yes);
        h.triggerMenu("mnufilenew");
    }

    ProgramHarness h;
};

// ---- Round trips of the simplex problem, one for each stage ----

struct StageCase {
    const char* name;
    std::function<void(ProgramHarness&)> prepare;
    QStringList windowsAfterOpen;
    const char* activeAfterOpen;
};

class StageRoundTripTest : public ProblemFilesTest, public testing::WithParamInterface<StageCase> {};

TEST_P(StageRoundTripTest, SavedAndOpenedAgainTheProblemAndItsWindowComeBack)
{
    const StageCase& stage = GetParam();
    stage.prepare(h);
    ASSERT_FALSE(HasFatalFailure());
    h.runTime().Modified = QStringLiteral("yes");

    const QString file = h.path("problem.sso");
    const bool undo = h.undoEnabled();
    const bool redo = h.redoEnabled();
    save(file);
    EXPECT_EQ(h.runTime().Modified, "no");
    EXPECT_EQ(h.runTime().StateFilePath, file);
    const QStringList saved = RecordLines(h.problem());
    EXPECT_EQ(FileLines(file), saved);

    newProblem();
    ASSERT_NE(RecordLines(h.problem()), saved);
    open(file);

    EXPECT_EQ(RecordLines(h.problem()), saved);
    EXPECT_EQ(h.openWindows(), stage.windowsAfterOpen);
    EXPECT_EQ(h.runTime().ActiveWindow, QLatin1String(stage.activeAfterOpen));
    EXPECT_EQ(h.activeWindowName(), QLatin1String(stage.activeAfterOpen));
    EXPECT_EQ(h.runTime().StateFilePath, file);
    // Opening is no change of the problem and stores no snapshot.
    EXPECT_EQ(h.runTime().Modified, "no");
    EXPECT_EQ(h.undoEnabled(), undo);
    EXPECT_EQ(h.redoEnabled(), redo);
}

const StageCase StageCases[] = {
    {"SetupWindow",
     [](ProgramHarness& h) {
         h.fillFactors(KnownFactors);
         // Opening the initial simplex window is the setup stage; the save
         // runs from the setup window so that no commit comes first.
         ProgramHarness::click(h.windows().setupWindow()->defineInitialSimplexButton());
         h.windows().openSetupWindow();
         ASSERT_EQ(h.runTime().ActiveWindow, "SeqSimplexInitialize");
         ASSERT_EQ(h.problem().Stage.text(), "SeqSimplexInitialize");
     },
     {"SeqSimplexInitialize"},
     "SeqSimplexInitialize"},
    {"FactorWindow",
     [](ProgramHarness& h) {
         // Typed but not committed: the save commits the factor grid first.
         h.fillFactors(KnownFactors, false);
         ASSERT_EQ(h.runTime().ActiveWindow, "frmDefineFactors");
         ASSERT_EQ(h.problem().Stage.text(), "none");
     },
     {"frmDefineFactors"},
     "frmDefineFactors"},
    {"InitialSimplexWindow",
     [](ProgramHarness& h) {
         h.fillFactors(KnownFactors);
         h.fillInitialSimplex({"41.13", "77.65", "53.13"}, false);
         ASSERT_EQ(h.runTime().ActiveWindow, "frmInitialSimplex");
         ASSERT_EQ(h.problem().InitialSimplexDefined, "no");
     },
     {"SeqSimplexInitialize"},
     "SeqSimplexInitialize"},
    {"StepsWindow",
     [](ProgramHarness& h) {
         h.startKnownRun();
         h.nextStep("77.26");
         ASSERT_EQ(h.problem().Stage.text(), "Steps");
     },
     {"SimplexSteps"},
     "SimplexSteps"},
};

INSTANTIATE_TEST_SUITE_P(EachStage, StageRoundTripTest, testing::ValuesIn(StageCases),
                         [](const testing::TestParamInfo<StageCase>& info) { return std::string(info.param.name); });

TEST_F(ProblemFilesTest, TheSaveCommitsTheActiveGridFirst)
{
    h.fillFactors(KnownFactors, false);
    save(h.path("factors.sso"));
    EXPECT_EQ(h.problem().Stage.text(), "DefineFactors");
    EXPECT_EQ(h.problem().Factors.at(2).FactorName, "Time");
    EXPECT_EQ(FileLines(h.path("factors.sso")).value(0), "DefineFactors");
}

TEST_F(ProblemFilesTest, ACancelledSaveStillCommitsTheFactorGrid)
{
    h.fillFactors(KnownFactors, false);
    h.runTime().Modified = QStringLiteral("yes");
    h.dialogs.answerSave(std::nullopt);
    h.clickTool("Save_button");
    EXPECT_EQ(h.problem().Stage.text(), "DefineFactors");
    EXPECT_EQ(h.problem().Factors.at(1).FactorName, "Temp");
    EXPECT_EQ(h.runTime().Modified, "yes");
    EXPECT_TRUE(h.dialogs.messages().empty());
}

TEST_F(ProblemFilesTest, ASaveWithABadCellStillAsksForTheFile)
{
    h.fillFactors({{"Temp", "20", "20", "2"}}, false); // equal limits
    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.dialogs.answerSave(h.path("bad.sso"));
    h.triggerMenu("mnufilesave");
    EXPECT_EQ(h.dialogs.messages().size(), 1u);
    EXPECT_EQ(FileLines(h.path("bad.sso")).value(0), "DefineFactors");
}

TEST_F(ProblemFilesTest, TheFileNameIsUsedExactlyAsChosen)
{
    const QString file = h.path("no extension");
    save(file);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_FALSE(QFile::exists(file + ".sso"));

    const auto asked = h.dialogs.fileDialogs();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked.front().kind, shell::FileDialogKind::Save);
    EXPECT_EQ(asked.front().nameFilters, QStringList({"All Files (*)", "Simplex Files (*.sso)"}));
    EXPECT_EQ(asked.front().selectedFilter, 1);
}

TEST_F(ProblemFilesTest, LimitsComeBackAsTypedToSevenDigits)
{
    h.fillFactors({{"Temp", "0.1", "123.456789", "2"}, {"Time", "10", "50", "1"}});
    save(h.path("precise.sso"));
    newProblem();
    open(h.path("precise.sso"));
    EXPECT_EQ(h.problem().Factors.at(1).LowerLimit, 0.1);
    EXPECT_EQ(h.problem().Factors.at(1).UpperLimit, 123.45679);
}

TEST_F(ProblemFilesTest, AnOpenedRunGoesOnWithTheSameSteps)
{
    // The hand-worked run: after 77.26 and 74.04 the simplex proposes
    // Temp 36.88, Time 28.1.
    h.startKnownRun();
    h.nextStep("77.26");
    save(h.path("run.sso"));
    newProblem();
    open(h.path("run.sso"));
    simplex::StepsWindow* steps = h.windows().stepsWindow();
    ASSERT_NE(steps, nullptr);
    EXPECT_EQ(steps->grid()->cell(1, 1), "Temp");
    EXPECT_EQ(steps->grid()->cell(2, 1), "27.5");
    EXPECT_EQ(steps->grid()->cell(2, 2), "22.5");
    h.nextStep("74.04");
    EXPECT_EQ(steps->grid()->cell(2, 1), "36.88");
    EXPECT_EQ(steps->grid()->cell(2, 2), "28.1");
}

TEST_F(ProblemFilesTest, ASaveThatFailsIsReportedAndKeepsModified)
{
    // The problem of the setup window is reported once its file is chosen;
    // the menu's variance window before any question of the older one, and a
    // target exercise that would not open again, are refused before any dialog.
    const QString file = h.path("no such folder/problem.sso");
    for (const char* menuItem : {"", "mnuPracticeVOsim", "mnuPracticeTOsimple"}) {
        SCOPED_TRACE(menuItem);
        const bool refusedAtOnce = *menuItem != '\0';
        h.dialogs.clear();
        Records().Variance.Robust = practice::RobustModel();
        if (refusedAtOnce)
            h.triggerMenu(menuItem);
        Records().Target.Model.b11 = Records().Target.Model.b22 = 1;
        Records().Target.Model.b12 = 1.9999999F; // written as 2, which leaves no maximum
        h.runTime().Modified = QStringLiteral("yes");
        const QString before = h.runTime().StateFilePath;
        if (!refusedAtOnce)
            h.dialogs.answerSave(file);
        h.dialogs.answerMessage(MessageAnswer::Ok);
        h.triggerMenu("mnufilesave");
        if (refusedAtOnce) {
            EXPECT_TRUE(h.dialogs.fileDialogs().empty());
            const QString text = QLatin1String(menuItem) == QLatin1String("mnuPracticeVOsim")
                ? "There is no question of the variance exercise that these files hold to save yet."
                : "Written with the seven significant digits that the file keeps, this exercise could not be opened "
                  "again. The coefficients in lines 5 to 10 do not describe a process with a single maximum.";
            const shell::MessageRequest refusal{"Notice", text, core::MessageIcon::Exclamation};
            EXPECT_EQ(h.dialogs.messages(), std::vector<shell::MessageRequest>{refusal});
        } else {
            ExpectOneNotice(h.dialogs, file, "saved");
        }
        EXPECT_EQ(h.runTime().Modified, "yes");
        EXPECT_EQ(h.runTime().StateFilePath, before);
    }
}

// ---- Opening: which reader, cancelling ----

TEST_F(ProblemFilesTest, TheEndingOfTheNameChoosesTheReader)
{
    h.fillFactors(KnownFactors);
    const QStringList problemLines = RecordLines(h.problem());
    WriteFile(h.path("QUESTION.SST"), CrLf(TargetLines));
    WriteFile(h.path("problem.txt"), CrLf(problemLines));
    WriteFile(h.path("problem"), CrLf(problemLines));

    open(h.path("QUESTION.SST"));
    EXPECT_EQ(Records().Target.Model.FirstFactor, "B");
    EXPECT_EQ(Records().Target.AnswerText, "B1.5E-2.25H");
    EXPECT_EQ(h.openWindows(), QStringList{"frm_DOE_PBLM_2"});

    for (const char* name : {"problem.txt", "problem"}) {
        SCOPED_TRACE(name);
        newProblem();
        open(h.path(QLatin1String(name)));
        EXPECT_EQ(RecordLines(h.problem()), problemLines);
        EXPECT_TRUE(h.openWindows().contains("frmDefineFactors"));
    }
}

TEST_F(ProblemFilesTest, TheOpenDialogStartsOnTheTypeOfTheActiveWindow)
{
    h.triggerMenu("mnuPracticeTOsimple");
    ASSERT_EQ(h.runTime().ActiveWindow, "TOO");
    h.dialogs.answerOpen(std::nullopt);
    h.triggerMenu("mnufileopen");
    const auto asked = h.dialogs.fileDialogs();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked.front().kind, shell::FileDialogKind::Open);
    EXPECT_EQ(asked.front().nameFilters.at(asked.front().selectedFilter), "Target Optimization Files (*.sst)");
    EXPECT_EQ(asked.front().nameFilters.size(), 4);
}

TEST_F(ProblemFilesTest, CancellingOpenClosesTheProblemWindowsAndKeepsTheRecord)
{
    h.startKnownRun();
    h.triggerMenu("mnuPracticeTOsimple");
    const QStringList before = RecordLines(h.problem());
    h.dialogs.answerOpen(std::nullopt);
    h.clickTool("Open_button");
    EXPECT_EQ(h.openWindows(), QStringList{"frm_DOE_PBLM_2"});
    EXPECT_EQ(RecordLines(h.problem()), before);
    EXPECT_TRUE(h.dialogs.messages().empty());
}

// ---- Exercise files ----

TEST_F(ProblemFilesTest, TheTargetExerciseIsSavedLineByLineAndOpenedAgain)
{
    h.runTime().Modified = QStringLiteral("yes");
    const QString statePath = h.runTime().StateFilePath;
    h.triggerMenu("mnuPracticeTOadvanced");
    ASSERT_EQ(h.runTime().ActiveWindow, "TOO");
    const practice::QuadraticProblem drawn = Records().Target;

    const QString file = h.path("question.sst");
    save(file);
    EXPECT_EQ(h.dialogs.fileDialogs().front().nameFilters,
              QStringList({"All Files (*)", "Target Optimization Files (*.sst)"}));
    const QStringList lines = FileLines(file);
    ASSERT_EQ(lines.size(), 11);
    const practice::QuadraticModel& m = drawn.Model;
    EXPECT_EQ(lines[0], m.FirstFactor);
    EXPECT_EQ(lines[1], m.SecondFactor);
    const float numbers[] = {m.CentreFirst, m.CentreSecond, m.b0, m.b1, m.b2, m.b12, m.b11, m.b22};
    // Single-precision numbers are written with up to 7 significant digits.
    float read[8];
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(testing::Message() << "line " << i + 3 << ": " << lines[i + 2].toStdString());
        EXPECT_TRUE(lines[i + 2].endsWith(' '));
        read[i] = lines[i + 2].trimmed().toFloat();
        EXPECT_EQ(read[i], QString::number(numbers[i], 'g', 7).toFloat());
    }
    EXPECT_EQ(lines[10], drawn.AnswerText);
    // An exercise is not the problem: it stays unsaved.
    EXPECT_EQ(h.runTime().Modified, "yes");
    EXPECT_EQ(h.runTime().StateFilePath, statePath);

    // Another question, answered once, then the file again.
    practice::PracticeWindow* window = h.program().practiceWindows().window(practice::ExerciseWindow::Target);
    ASSERT_NE(window, nullptr);
    h.dialogs.answerMessage(MessageAnswer::Ok);
    window->generateQuestion();
    Records().Target.Answered = 1;
    ASSERT_NE(Records().Target.Model, drawn.Model);

    h.startKnownRun();
    open(file);
    const practice::QuadraticModel& loaded = Records().Target.Model;
    EXPECT_EQ(loaded.FirstFactor, m.FirstFactor);
    EXPECT_EQ(loaded.SecondFactor, m.SecondFactor);
    const float loadedNumbers[] = {loaded.CentreFirst, loaded.CentreSecond, loaded.b0, loaded.b1,
                                   loaded.b2,          loaded.b12,          loaded.b11, loaded.b22};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(loadedNumbers[i], read[i]) << "line " << i + 3;
    EXPECT_EQ(Records().Target.AnswerText, drawn.AnswerText);
    EXPECT_NEAR(Records().Target.OptimalResponse, drawn.OptimalResponse,
                1e-4 * std::abs(drawn.OptimalResponse) + 1e-3);
    EXPECT_EQ(Records().Target.Answered, 0);
    EXPECT_EQ(h.runTime().ActiveWindow, "TOO");
    EXPECT_EQ(h.openWindows(), QStringList{"frm_DOE_PBLM_2"});
    EXPECT_EQ(h.runTime().Modified, "yes");
}

TEST_F(ProblemFilesTest, TheVarianceExerciseOpensInTheOlderWindowAndIsSavedLineByLine)
{
    WriteFile(h.path("robust.ssv"), CrLf(VarianceLines));
    Records().Variance.Answered = 1;
    open(h.path("robust.ssv"));

    practice::PracticeWindow* window = h.program().practiceWindows().window(practice::ExerciseWindow::OlderVariance);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(h.openWindows(), QStringList{"frm_DOE_PBLM_3"});
    EXPECT_EQ(h.runTime().ActiveWindow, "VO");
    const practice::VarianceProblem& variance = Records().Variance;
    EXPECT_EQ(variance.Robust.FirstFactor, "C");
    EXPECT_EQ(variance.Robust.SecondFactor, "F");
    EXPECT_EQ(variance.ReservedValue1, 1.5f);
    EXPECT_EQ(variance.ReservedValue2, -2.0f);
    EXPECT_EQ(variance.Robust.c1, 145.25f);
    EXPECT_EQ(variance.Robust.c22, 30.0f);
    // The Compute Response run on opening works the answer out again from
    // the loaded coefficients.
    EXPECT_TRUE(variance.Robust.AnswerText.startsWith('C'));
    EXPECT_EQ(variance.Answered, 0);
    // The run computed on opening is cleared away again.
    EXPECT_TRUE(window->grid()->cell(1, 1).isEmpty());
    // The window keeps its own statement.
    EXPECT_NE(variance.Robust.ProblemText, VarianceLines[12]);

    save(h.path("again.ssv"));
    EXPECT_EQ(h.dialogs.fileDialogs().back().nameFilters,
              QStringList({"All Files (*)", "Variance Optimization Files (*.ssv)"}));
    QStringList expected = VarianceLines;
    expected[10] = variance.Robust.AnswerText;
    expected[12] = variance.Robust.ProblemText;
    EXPECT_EQ(FileLines(h.path("again.ssv")), expected);
}

TEST_F(ProblemFilesTest, ExerciseNumbersAreReadByTheLeadingNumberRule)
{
    QStringList lines = TargetLines;
    lines[2] = QStringLiteral("1,5");
    lines[3] = QStringLiteral(" - 4 0.5 kg");
    WriteFile(h.path("comma.sst"), CrLf(lines));
    open(h.path("comma.sst"));
    EXPECT_EQ(Records().Target.Model.CentreFirst, 1.0f);
    EXPECT_EQ(Records().Target.Model.CentreSecond, -40.5f);
}

// ---- Files that are refused ----

struct RefusedCase {
    const char* name;
    std::function<void(ProgramHarness&, const QString& path)> make;
    const char* reason = nullptr; // the sentence after the file's name, where a row checks it
};

class RefusedFileTest : public ProblemFilesTest, public testing::WithParamInterface<RefusedCase> {};

QStringList ProblemLines(ProgramHarness& h)
{
    return RecordLines(h.problem());
}

TEST_P(RefusedFileTest, IsReportedAndChangesNothing)
{
    const RefusedCase& refused = GetParam();
    // A problem in progress beside an exercise.
    h.startKnownRun();
    h.nextStep("77.26");
    h.triggerMenu("mnuPracticeTOsimple");
    h.windows().openVertexSummary();
    const QString file = h.path(QLatin1String(refused.name));
    refused.make(h, file);
    ASSERT_FALSE(HasFatalFailure());

    const QStringList record = RecordLines(h.problem());
    const practice::PracticeRecords records = Records();
    const QStringList windows = h.openWindows();
    const core::RunTimeState runTime = h.runTime();

    h.dialogs.answerOpen(file);
    h.dialogs.answerMessage(MessageAnswer::Ok);
    h.clickTool("Open_button");

    ExpectOneNotice(h.dialogs, file, "opened");
    if (refused.reason && !h.dialogs.messages().empty()) {
        EXPECT_TRUE(h.dialogs.messages().front().text.endsWith(QLatin1String(refused.reason)));
    }
    EXPECT_EQ(RecordLines(h.problem()), record);
    EXPECT_TRUE(Records() == records);
    EXPECT_EQ(h.openWindows(), windows);
    EXPECT_EQ(h.runTime().StateFilePath, runTime.StateFilePath);
    EXPECT_EQ(h.runTime().Modified, runTime.Modified);
}

void WriteLinesOf(const QString& path, const QStringList& lines)
{
    WriteFile(path, CrLf(lines));
}

const RefusedCase RefusedCases[] = {
    {"empty.sso", [](ProgramHarness&, const QString& p) { WriteFile(p, ""); }},
    // Without a writer, opening a named pipe would wait for ever.
    {"pipe.sso", [](ProgramHarness&, const QString& p) { ASSERT_EQ(mkfifo(p.toLocal8Bit().constData(), 0600), 0); }},
    {"pipe.sst", [](ProgramHarness&, const QString& p) { ASSERT_EQ(mkfifo(p.toLocal8Bit().constData(), 0600), 0); }},
    {"truncated.sso",
     [](ProgramHarness& h, const QString& p) { WriteLinesOf(p, ProblemLines(h).mid(0, 30)); }},
    {"lastlinemissing.sso",
     [](ProgramHarness& h, const QString& p) {
         QStringList lines = ProblemLines(h);
         lines.removeLast(); // the step type
         lines.removeLast(); // the last field
         WriteLinesOf(p, lines);
     }},
    {"unknownsteptype.sso",
     [](ProgramHarness& h, const QString& p) {
         QStringList lines = ProblemLines(h);
         lines.last() = QStringLiteral("Sideways");
         WriteLinesOf(p, lines);
     }},
    {"countsays3.sso",
     [](ProgramHarness& h, const QString& p) {
         // Line 2 promises a factor more than the file holds.
         QStringList lines = ProblemLines(h);
         lines[1] = QStringLiteral(" 3 ");
         WriteLinesOf(p, lines);
     }},
    {"hugecounts.sso",
     [](ProgramHarness&, const QString& p) { WriteLinesOf(p, {"Steps", " 32767 ", " 32767 ", "A", " 0 "}); }},
    {"negativecount.sso",
     [](ProgramHarness& h, const QString& p) {
         QStringList lines = ProblemLines(h);
         lines[2] = QStringLiteral("-1 ");
         WriteLinesOf(p, lines);
     }},
    {"word.sso",
     [](ProgramHarness& h, const QString& p) {
         QStringList lines = ProblemLines(h);
         lines[4] = QStringLiteral("twenty"); // the lower limit of factor 1
         WriteLinesOf(p, lines);
     }},
    {"overflow.sso",
     [](ProgramHarness& h, const QString& p) {
         QStringList lines = ProblemLines(h);
         lines[5] = QStringLiteral(" 1E+400 "); // beyond every floating-point range
         WriteLinesOf(p, lines);
     }},
    {"binary.sso", [](ProgramHarness&, const QString& p) { WriteFile(p, QByteArray("none\r\n\0\x01\x02 2 \r\n", 14)); }},
    {"folder.sso", [](ProgramHarness&, const QString& p) { ASSERT_TRUE(QDir().mkpath(p)); }},
    {"missing.sso", [](ProgramHarness&, const QString&) {}},
    {"short.sst", [](ProgramHarness&, const QString& p) { WriteLinesOf(p, TargetLines.mid(0, 10)); }},
    {"badletter.sst",
     [](ProgramHarness&, const QString& p) {
         QStringList lines = TargetLines;
         lines[0] = QStringLiteral("Q");
         WriteLinesOf(p, lines);
     }},
    {"nomaximum.sst",
     [](ProgramHarness&, const QString& p) {
         QStringList lines = TargetLines;
         lines[8] = QStringLiteral("-0.002 "); // b11
         WriteLinesOf(p, lines);
     }},
    {"huge.sst",
     [](ProgramHarness&, const QString& p) {
         QStringList lines = TargetLines;
         lines[4] = QStringLiteral(" 1E+300 ");
         WriteLinesOf(p, lines);
     }},
    {"missing.sst", [](ProgramHarness&, const QString&) {}},
    // Saved "as Unicode" by an editor.
    {"unicode.sst",
     [](ProgramHarness&, const QString& p) {
         const QString text = QString::fromUtf8(CrLf(TargetLines));
         WriteFile(p, "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(text.utf16()), 2 * text.size()));
     },
     ": The file holds UTF-16 text and cannot be read as an exercise file."},
    {"short.ssv", [](ProgramHarness&, const QString& p) { WriteLinesOf(p, VarianceLines.mid(0, 12)); }},
    {"flat.ssv",
     [](ProgramHarness&, const QString& p) {
         QStringList lines = VarianceLines;
         for (int i = 5; i < 10; ++i)
             lines[i] = QStringLiteral(" 0 ");
         WriteLinesOf(p, lines);
     }},
    {"longline.ssv",
     [](ProgramHarness&, const QString& p) {
         QStringList lines = VarianceLines;
         lines[10] = QString(100000, QLatin1Char('A'));
         WriteLinesOf(p, lines);
     }},
};

INSTANTIATE_TEST_SUITE_P(Files, RefusedFileTest, testing::ValuesIn(RefusedCases),
                         [](const testing::TestParamInfo<RefusedCase>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (c == '.')
                                     c = '_';
                             return name;
                         });

// ---- New problem ----

struct NewProblemCase {
    const char* name;
    const char* modified;
    MessageAnswer answer;
    const char* title;
    const char* text;
};

class NewProblemTest : public ProblemFilesTest, public testing::WithParamInterface<NewProblemCase> {};

TEST_P(NewProblemTest, AsksAndStartsAgainOnlyOnYes)
{
    const NewProblemCase& c = GetParam();
    h.startKnownRun();
    h.triggerMenu("mnuPracticeTOsimple");
    h.runTime().Modified = QLatin1String(c.modified);
    const bool undo = h.undoEnabled();
    const QStringList before = RecordLines(h.problem());
    const QString undoFile = h.program().snapshots().undoPath();
    const QByteArray snapshotBefore = CrLf(FileLines(undoFile));

    h.dialogs.answerMessage(c.answer);
    h.clickTool("New_button");

    const auto asked = h.dialogs.messages();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked.front().title, QLatin1String(c.title));
    EXPECT_EQ(asked.front().text, QLatin1String(c.text));
    EXPECT_EQ(asked.front().icon, core::MessageIcon::Critical);
    EXPECT_EQ(asked.front().buttons, shell::MessageButtons::YesNo);
    EXPECT_EQ(asked.front().defaultButton, MessageAnswer::No);
    // The buttons are never touched by a new problem.
    EXPECT_EQ(h.undoEnabled(), undo);

    if (c.answer == MessageAnswer::No) {
        EXPECT_EQ(RecordLines(h.problem()), before);
        EXPECT_EQ(h.openWindows(), QStringList{"frm_DOE_PBLM_2"});
        EXPECT_EQ(h.runTime().Modified, QLatin1String(c.modified));
        EXPECT_EQ(CrLf(FileLines(undoFile)), snapshotBefore);
        return;
    }
    core::OptimizationProblem fresh;
    core::ResetToStartup(fresh);
    // The snapshot is written before the setup window sets the step type.
    EXPECT_EQ(FileLines(undoFile), RecordLines(fresh));
    fresh.StepType = h.problem().StepType;
    EXPECT_EQ(RecordLines(h.problem()), RecordLines(fresh));
    EXPECT_EQ(h.openWindows(), QStringList({"SeqSimplexInitialize", "frm_DOE_PBLM_2"}));
    EXPECT_EQ(h.runTime().ActiveWindow, "SeqSimplexInitialize");
    EXPECT_FALSE(h.windows().setupWindow()->defineInitialSimplexButton()->isEnabled());
    EXPECT_EQ(h.runTime().Modified, "no");
    EXPECT_EQ(h.problem().FirstStepPending, "yes");
}

const NewProblemCase NewProblemCases[] = {
    {"UnsavedYes", "yes", MessageAnswer::Yes, "Warning!",
     "Your data has not been saved.  Do you want to begin a new Sequential Optimization Problem?"},
    {"UnsavedNo", "yes", MessageAnswer::No, "Warning!",
     "Your data has not been saved.  Do you want to begin a new Sequential Optimization Problem?"},
    {"SavedYes", "no", MessageAnswer::Yes, "Message", "Do you want to begin a new Sequential Optimization Problem?"},
    {"SavedNo", "no", MessageAnswer::No, "Message", "Do you want to begin a new Sequential Optimization Problem?"},
};

INSTANTIATE_TEST_SUITE_P(BothWays, NewProblemTest, testing::ValuesIn(NewProblemCases),
                         [](const testing::TestParamInfo<NewProblemCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace zeltomir::app::test
