#include "MainWindowFixture.h"

#include "core/SnapshotFiles.h"
#include "shell/AboutBox.h"
#include "shell/ButtonBar.h"
#include "shell/Twips.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace zeltomir::shell {
namespace {

using testsupport::ScriptedDialogService;

// ---------------------------------------------------------------- toolbar

struct ToolbarRow {
    const char* name;
    const char* toolTip;
    int leftTwips;
    bool enabled;
};

const ToolbarRow FixedButtons[] = {
    {"New_button", "Clear Data Entry Sheet", 0, true},
    {"Open_button", "Open File", 408, true},
    {"Save_button", "Save File", 816, true},
    {"btnPrint", "Print", 1428, true},
    {"cut_button", "Cut", 2085, true},
    {"copy_button", "Copy", 2490, true},
    {"Paste_button", "Paste", 2910, true},
    {"undo_button", "Undo", 3510, false},
    {"redo_button", "Redo", 3930, false},
};

TEST_F(MainWindowFixture, ToolbarButtonsStandAtTheirTwipsPositionsWithTipsAndStartingStates)
{
    EXPECT_EQ(window->objectName(), "frmMDI");
    EXPECT_EQ(window->windowTitle(), "Vantrelix");
    const QWidget* bar = window->findChild<QWidget*>("buttonbar");
    ASSERT_NE(bar, nullptr);
    const QSize size = TwipsSize(bar, 408, 408);
    for (const ToolbarRow& row : FixedButtons) {
        SCOPED_TRACE(row.name);
        QToolButton* tool = button(row.name);
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(tool->parentWidget(), bar);
        EXPECT_EQ(tool->toolTip(), row.toolTip);
        EXPECT_EQ(tool->pos(), QPoint(TwipsX(bar, row.leftTwips), 0));
        EXPECT_EQ(tool->size(), size);
        EXPECT_EQ(tool->isEnabled(), row.enabled);
        EXPECT_FALSE(tool->icon().isNull());
    }
    for (const char* name : {"Command3D4", "end_button"}) {
        SCOPED_TRACE(name);
        QToolButton* tool = button(name);
        ASSERT_NE(tool, nullptr);
        EXPECT_EQ(tool->size(), size);
        EXPECT_TRUE(tool->isEnabled());
        EXPECT_FALSE(tool->icon().isNull());
    }
    EXPECT_EQ(button("Command3D4")->toolTip(), "Help");
    EXPECT_EQ(button("end_button")->toolTip(), "Exit");
}

TEST_F(MainWindowFixture, ToolbarButtonsRunLeftToRightInTheirOrder)
{
    const QStringList expected{"New_button", "Open_button", "Save_button", "btnPrint",  "cut_button", "copy_button",
                               "Paste_button", "undo_button", "redo_button", "Command3D4", "end_button"};
    QStringList names;
    int previousRight = -1;
    for (const QToolButton* tool : window->buttonBar()->buttons()) {
        names << tool->objectName();
        EXPECT_GE(tool->x(), previousRight) << tool->objectName().toStdString() << " overlaps its left neighbour";
        previousRight = tool->x() + tool->width();
    }
    EXPECT_EQ(Joined(names), Joined(expected));
}

TEST_F(MainWindowFixture, HelpAndExitStayAtTheRightEndWhenTheWindowIsResized)
{
    // Narrower, wider, and back: the buttons follow in both directions.
    for (const int width : {700, 1100, 650, 900, 300}) {
        SCOPED_TRACE(width);
        window->resize(width, 500);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->width() == width; }));
        QCoreApplication::sendPostedEvents();
        const QToolButton* help = button("Command3D4");
        const QToolButton* exit = button("end_button");
        const int exitRight = exit->mapTo(window.get(), QPoint(exit->width(), 0)).x();
        EXPECT_EQ(exitRight, width - TwipsX(window.get(), 100));
        EXPECT_EQ(help->x() + help->width(), exit->x());
        EXPECT_EQ(help->y(), 0);
        // The others keep their places, and the bar stays whole.
        EXPECT_EQ(button("redo_button")->x(), TwipsX(window.get(), 3930));
        EXPECT_TRUE(window->buttonBar()->isVisible());
        EXPECT_GE(window->buttonBar()->width(), width - 10);
    }
}

// ------------------------------------------------------------------ menus

struct MenuContents {
    const char* menu;
    const char* caption;
    QStringList items; // object names in order, separators included
};

const MenuContents Menus[] = {
    {"mnuFile", "&File",
     {"mnufilenew", "mnufileopen", "mnufilesave", "mnu_crap2", "mnuMDIlanguage", "mnuBreak", "mnufileprint",
      "mnufilesep2", "mnufileexit"}},
    {"mnuMDIlanguage", "Language", {"mnuMDIEnglish", "mnuMDIfrench", "mnuFileLanguageSpanish", "mnuMDIGerman"}},
    {"Menu_edit", "&Edit", {"Menu_cut", "Menu_copy", "Menu_paste", "mnuEditBreak", "mnuCorrectResult"}},
    {"mnuSimplex", "View", {"mnuSimplexSteps", "mnuVertexSummary", "mnuSimplexPlot", "mnuProblemSetup"}},
    {"mnuPractice", "Practice", {"mnuScrap", "mnuPracticeTO", "mnuPracticeVO", "mnuPracticeBreak", "mnuPracticeSimulated"}},
    {"mnuScrap", "Scrap Reduction", {"mnuSRsim", "mnuSRadv"}},
    {"mnuPracticeTO", "Target Optimization", {"mnuPracticeTOsimple", "mnuPracticeTOadvanced"}},
    {"mnuPracticeVO", "Variance Optimization", {"mnuPracticeVOsim", "mnuPracticeVOadv"}},
    {"Menu_window", "&Window", {"Menu_cascade", "menu_tile_hor", "menu_tile_vertically", "mnu_arrange_icons"}},
    {"mnu_help", "&Help", {"mnu_help_contents", "mnu_divide", "mnu_help_about"}},
};

TEST_F(MainWindowFixture, MenuBarHoldsTheMenusInOrder)
{
    QStringList titles;
    for (const QAction* top : window->menuBar()->actions())
        titles << top->objectName();
    EXPECT_EQ(Joined(titles), "mnuFile | Menu_edit | mnuSimplex | mnuPractice | Menu_window | mnu_help");
}

TEST_F(MainWindowFixture, EveryMenuHoldsItsItemsInOrder)
{
    for (const MenuContents& contents : Menus) {
        SCOPED_TRACE(contents.menu);
        const auto* menu = window->findChild<QMenu*>(QLatin1String(contents.menu));
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->title(), contents.caption);
        EXPECT_EQ(menu->menuAction()->objectName(), contents.menu);
        QStringList names;
        for (const QAction* item : menu->actions())
            names << item->objectName();
        EXPECT_EQ(Joined(names), Joined(contents.items));
    }
}

TEST_F(MainWindowFixture, LanguageSubmenuIsPresentButSwitchedOff)
{
    EXPECT_FALSE(action("mnuMDIlanguage")->isEnabled());
    EXPECT_FALSE(action("mnuMDIEnglish")->isEnabled());
    EXPECT_TRUE(action("mnuMDIfrench")->isEnabled());
    // None of the items does anything when triggered.
    for (const char* name : {"mnuMDIfrench", "mnuFileLanguageSpanish", "mnuMDIGerman"})
        action(name)->trigger();
    EXPECT_EQ(quitCount, 0);
    EXPECT_TRUE(openedDocuments.isEmpty());
}

// ---------------------------------------------------------------- routing

// A text box that takes every key for its own editing before a shortcut
// can, as a line edit on X11 takes Ctrl+U to delete its line.
class KeyTakingLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        return QLineEdit::event(event);
    }
};

// A child window with a text box that has the focus, as a window being
// edited when a command comes.
class RoutingTest : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        auto* child = new QWidget;
        child->setWindowTitle("Editing");
        auto* layout = new QVBoxLayout(child);
        editor = new KeyTakingLineEdit(child);
        layout->addWidget(editor);
        QObject::connect(editor, &QLineEdit::editingFinished, [this] { calls << "editingFinished"; });
        window->addChild(child)->show();
        activate();
        startEditing();

        auto record = [this](const char* name) {
            return [this, name] { calls << QString::fromLatin1(name) + (editor->hasFocus() ? "+focus" : ""); };
        };
        CommandHandlers& h = window->handlers();
        h.newProblem = record("newProblem");
        h.openProblem = record("openProblem");
        h.save = record("save");
        h.print = record("print");
        h.cut = record("cut");
        h.copy = record("copy");
        h.paste = record("paste");
        h.undo = record("undo");
        h.redo = record("redo");
        h.showSimplexSteps = record("showSimplexSteps");
        h.showVertexSummary = record("showVertexSummary");
        h.showSimplexPlot = record("showSimplexPlot");
        h.showProblemSetup = record("showProblemSetup");
        h.simulatedProblem = record("simulatedProblem");
        h.practice = [this](PracticeKind kind, const QString& level) {
            static const char* const kinds[] = {"target", "variance", "scrap"};
            calls << QStringLiteral("practice %1 %2").arg(kinds[static_cast<int>(kind)], level);
        };
    }

    // Focus in the text box and a change typed, so leaving it finishes an edit.
    void startEditing()
    {
        editor->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([this] { return editor->hasFocus(); }));
        QTest::keyClick(editor, Qt::Key_5);
    }

    QLineEdit* editor = nullptr;
    QStringList calls;
};

TEST_F(RoutingTest, ToolbarButtonsFinishTheEditBeforeTheirCommand)
{
    const std::pair<const char*, const char*> rows[] = {
        {"New_button", "newProblem"}, {"Open_button", "openProblem"}, {"Save_button", "save"},
        {"btnPrint", "print"},        {"cut_button", "cut"},          {"copy_button", "copy"},
        {"Paste_button", "paste"},    {"undo_button", "undo"},        {"redo_button", "redo"},
    };
    for (const auto& [name, handler] : rows) {
        SCOPED_TRACE(name);
        calls.clear();
        startEditing();
        button(name)->setEnabled(true);
        QTest::mouseClick(button(name), Qt::LeftButton);
        EXPECT_EQ(Joined(calls), std::string("editingFinished | ") + handler);
        // The window is still the active one: its control gets the focus back.
        EXPECT_TRUE(editor->hasFocus());
    }
    action("mnu_help_about")->trigger();
    ASSERT_NE(window->aboutBox(), nullptr);
    window->aboutBox()->close();
    EXPECT_TRUE(editor->hasFocus());
}

TEST_F(RoutingTest, MenuItemsCallTheirCommandDirectly)
{
    const std::pair<const char*, const char*> rows[] = {
        {"mnufilenew", "newProblem+focus"},
        {"mnufileopen", "openProblem+focus"},
        {"mnufilesave", "save+focus"},
        {"mnufileprint", "print+focus"},
        {"Menu_cut", "cut+focus"},
        {"Menu_copy", "copy+focus"},
        {"Menu_paste", "paste+focus"},
        {"mnuSimplexSteps", "showSimplexSteps+focus"},
        {"mnuVertexSummary", "showVertexSummary+focus"},
        {"mnuSimplexPlot", "showSimplexPlot+focus"},
        {"mnuProblemSetup", "showProblemSetup+focus"},
        {"mnuPracticeSimulated", "simulatedProblem+focus"},
        {"mnuSRsim", "practice scrap simple"},
        {"mnuSRadv", "practice scrap all"},
        {"mnuPracticeTOsimple", "practice target simple"},
        {"mnuPracticeTOadvanced", "practice target all"},
        {"mnuPracticeVOsim", "practice variance simple"},
        {"mnuPracticeVOadv", "practice variance all"},
    };
    for (const auto& [name, expected] : rows) {
        SCOPED_TRACE(name);
        calls.clear();
        action(name)->trigger();
        EXPECT_EQ(Joined(calls), expected);
    }
    // The View and Window menus' keys reach their items from a child's text
    // box too, also a key the text box would take for its own editing.
    for (const char* name : {"Menu_cascade", "menu_tile_hor", "menu_tile_vertically", "mnuSimplexPlot",
                             "mnuProblemSetup"}) {
        SCOPED_TRACE(name);
        startEditing();
        QSignalSpy triggered(action(name), &QAction::triggered);
        QTest::keySequence(editor, action(name)->shortcut());
        EXPECT_EQ(triggered.count(), 1);
    }
}

TEST_F(RoutingTest, CommandsWithoutAHandlerDoNothing)
{
    window->setHandlers({});
    for (const char* name : {"New_button", "Open_button", "Save_button", "btnPrint", "cut_button", "copy_button",
                             "Paste_button"})
        QTest::mouseClick(button(name), Qt::LeftButton);
    for (const char* name : {"mnufilenew", "Menu_paste", "mnuVertexSummary", "mnuPracticeTOadvanced"})
        action(name)->trigger();
    EXPECT_EQ(Joined(calls), "editingFinished");
    EXPECT_EQ(quitCount, 0);
}

TEST_F(RoutingTest, HelpOpensTheManualOrSaysWhereItIs)
{
    QTemporaryDir folder;
    const QString manual = folder.filePath("Zeltomir.pdf");
    const QString shown = QDir::toNativeSeparators(manual);
    const struct {
        const char* name;
        bool exists;
        PdfViewers viewers;
        bool opens;
        QString problem; // after "The manual could not be opened.  "
    } cases[] = {
        {"missing", false, PdfViewers::Some, true, "It should be at " + shown + " but is missing."},
        {"no program to show it", true, PdfViewers::Some, false, "It is at " + shown + "."},
        {"no application for PDF files", true, PdfViewers::None, true, "It is at " + shown + "."},
        {"opened", true, PdfViewers::Some, true, ""},
        {"opened though the desktop cannot tell", true, PdfViewers::CannotTell, true, ""},
    };
    window->setManualPath(manual);
    bool focusedWhileOpening = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile file(manual);
        ASSERT_TRUE(c.exists ? file.open(QIODevice::WriteOnly) : (!file.exists() || file.remove()));
        file.close();
        openedDocuments.clear();
        dialogs.clear();
        pdfViewers = c.viewers;
        startEditing();
        focusedWhileOpening = false;
        window->setDocumentOpener([this, &focusedWhileOpening, opens = c.opens](const QString& path) {
            openedDocuments << path;
            focusedWhileOpening = editor->hasFocus();
            return opens;
        });
        if (!c.problem.isEmpty())
            dialogs.answerMessage(MessageAnswer::Ok);
        QTest::mouseClick(button("Command3D4"), Qt::LeftButton);
        const bool handedOn = c.exists && c.viewers != PdfViewers::None;
        EXPECT_EQ(openedDocuments, handedOn ? QStringList{manual} : QStringList{});
        EXPECT_EQ(focusedWhileOpening, handedOn);
        EXPECT_FALSE(editor->hasFocus());
        const std::vector<MessageRequest> expected{
            {"Notice", "The manual could not be opened.  " + c.problem, core::MessageIcon::Information}};
        EXPECT_EQ(dialogs.messages(), c.problem.isEmpty() ? std::vector<MessageRequest>{} : expected);
    }
    action("mnu_help_contents")->trigger();
    EXPECT_EQ(openedDocuments.size(), 2);
}

TEST_F(RoutingTest, ExitQuestionComesAfterTheEditIsFinished)
{
    bool focusedWhileAsking = true;
    dialogs.answerMessage(MessageAnswer::No, [&] { focusedWhileAsking = editor->hasFocus(); });
    action("mnufileexit")->trigger();
    EXPECT_FALSE(focusedWhileAsking);
    EXPECT_EQ(Joined(calls), "editingFinished");
}

TEST_F(RoutingTest, ReleaseFocusKeepsTheActiveChildActive)
{
    QMdiSubWindow* active = window->mdiArea()->activeSubWindow();
    ASSERT_NE(active, nullptr);
    window->releaseFocus();
    EXPECT_FALSE(editor->hasFocus());
    EXPECT_EQ(window->mdiArea()->activeSubWindow(), active);
}

// ------------------------------------------------------------ exiting

enum class ExitSource { ExitButton, ExitMenuItem, CloseBox };

struct ExitRow {
    ExitSource source;
    bool modified;
    MessageAnswer answer;
};

TEST_F(MainWindowFixture, ExitAsksTheRightQuestionAndQuitsOnlyOnYes)
{
    const ExitRow rows[] = {
        {ExitSource::ExitButton, false, MessageAnswer::No},    {ExitSource::ExitButton, true, MessageAnswer::No},
        {ExitSource::ExitMenuItem, false, MessageAnswer::No},  {ExitSource::ExitMenuItem, true, MessageAnswer::No},
        {ExitSource::CloseBox, false, MessageAnswer::No},      {ExitSource::CloseBox, true, MessageAnswer::No},
        {ExitSource::ExitButton, false, MessageAnswer::Yes},   {ExitSource::ExitMenuItem, true, MessageAnswer::Yes},
        {ExitSource::CloseBox, true, MessageAnswer::Yes},
    };
    const MessageRequest unmodified{"Message", "Are you sure you want to quit?", core::MessageIcon::Critical,
                                    MessageButtons::YesNo, MessageAnswer::No};
    const MessageRequest modified{
        "Warning!", "You are about to exit without saving your data. Are you sure you want to quit?",
        core::MessageIcon::Critical, MessageButtons::YesNo, MessageAnswer::No};

    for (const ExitRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "source " << static_cast<int>(row.source) << ", modified " << row.modified
                                        << ", yes " << (row.answer == MessageAnswer::Yes));
        TearDown();
        dialogs.clear();
        quitCount = 0;
        SetUp();
        runTime.Modified = row.modified ? "yes" : "no";
        dialogs.answerMessage(row.answer);
        bool closed = false;
        switch (row.source) {
        case ExitSource::ExitButton:
            QTest::mouseClick(button("end_button"), Qt::LeftButton);
            break;
        case ExitSource::ExitMenuItem:
            action("mnufileexit")->trigger();
            break;
        case ExitSource::CloseBox:
            closed = window->close();
            break;
        }
        ASSERT_EQ(dialogs.messages().size(), 1u);
        EXPECT_EQ(dialogs.messages().front(), row.modified ? modified : unmodified);
        const bool yes = row.answer == MessageAnswer::Yes;
        EXPECT_EQ(quitCount, yes ? 1 : 0);
        EXPECT_EQ(window->isQuitting(), yes);
        EXPECT_EQ(closed, yes && row.source == ExitSource::CloseBox);
        EXPECT_EQ(window->isVisible(), !closed);
    }
}

TEST_F(MainWindowFixture, ConfirmExitReturnsTheCancelFlag)
{
    dialogs.answerMessage(MessageAnswer::No);
    EXPECT_TRUE(window->confirmExit());
    dialogs.answerMessage(MessageAnswer::Yes);
    EXPECT_FALSE(window->confirmExit());
    EXPECT_EQ(quitCount, 1);
}

TEST_F(MainWindowFixture, AfterYesTheWindowClosesWithoutAskingAgain)
{
    dialogs.answerMessage(MessageAnswer::Yes);
    action("mnufileexit")->trigger();
    // A quit hook that does not end the program leaves the window closable
    // without a second question.
    EXPECT_TRUE(window->close());
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

// ----------------------------------------------------------- Window menu

class WindowMenuTest : public MainWindowFixture {
protected:
    QMdiSubWindow* addNamedChild(const QString& title)
    {
        auto* child = new QWidget;
        child->setWindowTitle(title);
        child->setAttribute(Qt::WA_DeleteOnClose);
        QMdiSubWindow* sub = window->addChild(child);
        sub->show();
        return sub;
    }

    // The items after the fixed arrangement items, as the menu shows them.
    QList<QAction*> listedWindows()
    {
        QMenu* menu = window->findChild<QMenu*>("Menu_window");
        emit menu->aboutToShow();
        QList<QAction*> listed = menu->actions().mid(4);
        if (!listed.isEmpty()) {
            EXPECT_TRUE(listed.front()->isSeparator());
            listed.removeFirst();
        }
        return listed;
    }
};

TEST_F(WindowMenuTest, ListsTheOpenChildrenAndActivatesTheOneChosen)
{
    EXPECT_TRUE(listedWindows().isEmpty());
    QMdiSubWindow* alpha = addNamedChild("Alpha");
    QMdiSubWindow* beta = addNamedChild("Beta");
    QMdiSubWindow* gamma = addNamedChild("Gamma");
    window->mdiArea()->setActiveSubWindow(beta);

    QList<QAction*> listed = listedWindows();
    ASSERT_EQ(listed.size(), 3);
    const char* const texts[] = {"&1 Alpha", "&2 Beta", "&3 Gamma"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(texts[i]);
        EXPECT_EQ(listed[i]->text(), texts[i]);
        EXPECT_TRUE(listed[i]->isCheckable());
        EXPECT_EQ(listed[i]->isChecked(), i == 1);
    }

    listed[2]->trigger();
    EXPECT_EQ(window->mdiArea()->activeSubWindow(), gamma);

    // Rebuilt on every showing: no duplicates, closed windows gone.
    alpha->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    listed = listedWindows();
    ASSERT_EQ(listed.size(), 2);
    EXPECT_EQ(listed[0]->text(), "&1 Beta");
    EXPECT_TRUE(listed[1]->isChecked());

    // A hidden child (loaded, never shown) is not one to choose.
    addNamedChild("Delta")->hide();
    EXPECT_EQ(listedWindows().size(), 2);
}

TEST_F(WindowMenuTest, ChoosingAMinimisedChildRestoresIt)
{
    addNamedChild("Alpha");
    QMdiSubWindow* beta = addNamedChild("Beta");
    beta->showMinimized();
    listedWindows().at(1)->trigger();
    EXPECT_FALSE(beta->isMinimized());
    EXPECT_EQ(window->mdiArea()->activeSubWindow(), beta);
}

TEST_F(WindowMenuTest, ArrangementItemsArrangeTheChildren)
{
    QList<QMdiSubWindow*> children{addNamedChild("Alpha"), addNamedChild("Beta")};
    const QRect area = window->mdiArea()->viewport()->rect();

    action("menu_tile_hor")->trigger();
    for (QMdiSubWindow* child : children) {
        SCOPED_TRACE(child->windowTitle().toStdString());
        EXPECT_EQ(child->width(), area.width());
        EXPECT_EQ(child->height(), area.height() / 2);
    }
    EXPECT_LT(children[0]->y(), children[1]->y());

    action("menu_tile_vertically")->trigger();
    for (QMdiSubWindow* child : children) {
        SCOPED_TRACE(child->windowTitle().toStdString());
        EXPECT_EQ(child->height(), area.height());
        EXPECT_EQ(child->width(), area.width() / 2);
    }
    EXPECT_LT(children[0]->x(), children[1]->x());

    action("Menu_cascade")->trigger();
    EXPECT_LT(children[0]->pos().x(), children[1]->pos().x());
    EXPECT_LT(children[0]->pos().y(), children[1]->pos().y());

    children[1]->showMinimized();
    children[1]->move(40, 40);
    action("mnu_arrange_icons")->trigger();
    EXPECT_EQ(children[1]->x(), 0);
    EXPECT_EQ(children[1]->y() + children[1]->height(), area.height());
}

// Tiled into strips lower than its controls need, a child window shows part
// of its controls at their proper size instead of squeezing them.
TEST_F(WindowMenuTest, ArrangedChildrenKeepTheirControlsReadable)
{
    QList<QWidget*> forms;
    for (int i = 0; i < 6; ++i) {
        auto* form = new QWidget;
        auto* layout = new QVBoxLayout(form);
        for (int b = 0; b < 8; ++b)
            layout->addWidget(new QPushButton(QStringLiteral("Button %1").arg(b), form));
        window->addChild(form)->show();
        forms << form;
    }
    action("menu_tile_hor")->trigger();
    for (QWidget* form : forms) {
        EXPECT_LT(form->parentWidget()->height(), form->minimumSizeHint().height());
        EXPECT_GE(form->height(), form->minimumSizeHint().height());
        for (const QPushButton* button : form->findChildren<QPushButton*>())
            EXPECT_GE(button->height(), button->minimumSizeHint().height()) << button->text().toStdString();
    }
}

} // namespace
} // namespace zeltomir::shell
