#include "shell/MainMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace zeltomir::shell {

MainMenus::MainMenus(QMenuBar& bar)
{
    buildFileMenu(*addMenu(bar, "mnuFile", QStringLiteral("&File")));

    // The key names in these captions are plain text: the items carry no
    // shortcuts of their own (a tab would make Qt read them as shortcuts).
    QMenu& edit = *addMenu(bar, "Menu_edit", QStringLiteral("&Edit"));
    addItem(edit, "Menu_cut", QStringLiteral("&Cut       Ctrl+X"));
    addItem(edit, "Menu_copy", QStringLiteral("&Copy    Ctrl+C"));
    addItem(edit, "Menu_paste", QStringLiteral("&Paste   Ctrl+V"));
    addSeparator(edit, "mnuEditBreak");
    // Off until a vertex of the vertex summary is selected.
    addItem(edit, "mnuCorrectResult", QStringLiteral("Correct &Result..."))->setEnabled(false);

    QMenu& view = *addMenu(bar, "mnuSimplex", QStringLiteral("View"));
    addItem(view, "mnuSimplexSteps", QStringLiteral("Simplex Optimization Steps"));
    addItem(view, "mnuVertexSummary", QStringLiteral("Vertex Summary"));
    addItem(view, "mnuSimplexPlot", QStringLiteral("Simplex Plot"), "Ctrl+L");
    addItem(view, "mnuProblemSetup", QStringLiteral("Problem Setup"), "Ctrl+U");

    buildPracticeMenu(*addMenu(bar, "mnuPractice", QStringLiteral("Practice")));

    // The main window appends the list of open child windows on showing.
    QMenu& window = *addMenu(bar, "Menu_window", QStringLiteral("&Window"));
    addItem(window, "Menu_cascade", QStringLiteral("&Cascade"), "Ctrl+K");
    addItem(window, "menu_tile_hor", QStringLiteral("&Tile Horizontally"), "Ctrl+H");
    addItem(window, "menu_tile_vertically", QStringLiteral("&Tile Vertically"), "Ctrl+T");
    addItem(window, "mnu_arrange_icons", QStringLiteral("&Arrange Icons"));

    QMenu& help = *addMenu(bar, "mnu_help", QStringLiteral("&Help"));
    addItem(help, "mnu_help_contents", QStringLiteral("&Contents"));
    addSeparator(help, "mnu_divide");
    addItem(help, "mnu_help_about", QStringLiteral("&About"));
}

void MainMenus::buildFileMenu(QMenu& file)
{
    addItem(file, "mnufilenew", QStringLiteral("&New"));
    addItem(file, "mnufileopen", QStringLiteral("&Open"));
    addItem(file, "mnufilesave", QStringLiteral("&Save"));
    addSeparator(file, "mnu_crap2");
    // Present but switched off, and without commands.
    QMenu& language = *addSubmenu(file, "mnuMDIlanguage", QStringLiteral("Language"));
    addItem(language, "mnuMDIEnglish", QStringLiteral("English"))->setEnabled(false);
    addItem(language, "mnuMDIfrench", QStringLiteral("French"));
    addItem(language, "mnuFileLanguageSpanish", QStringLiteral("Spanish"));
    addItem(language, "mnuMDIGerman", QStringLiteral("German"));
    language.menuAction()->setEnabled(false);
    addSeparator(file, "mnuBreak");
    addItem(file, "mnufileprint", QStringLiteral("&Print"));
    addSeparator(file, "mnufilesep2");
    addItem(file, "mnufileexit", QStringLiteral("E&xit"));
}

void MainMenus::buildPracticeMenu(QMenu& practice)
{
    QMenu& scrap = *addSubmenu(practice, "mnuScrap", QStringLiteral("Scrap Reduction"));
    addItem(scrap, "mnuSRsim", QStringLiteral("Simple"));
    addItem(scrap, "mnuSRadv", QStringLiteral("Advanced"));
    QMenu& target = *addSubmenu(practice, "mnuPracticeTO", QStringLiteral("Target Optimization"));
    addItem(target, "mnuPracticeTOsimple", QStringLiteral("Simple"));
    addItem(target, "mnuPracticeTOadvanced", QStringLiteral("Advanced"));
    QMenu& variance = *addSubmenu(practice, "mnuPracticeVO", QStringLiteral("Variance Optimization"));
    addItem(variance, "mnuPracticeVOsim", QStringLiteral("Simple"));
    addItem(variance, "mnuPracticeVOadv", QStringLiteral("Advanced"));
    addSeparator(practice, "mnuPracticeBreak");
    addItem(practice, "mnuPracticeSimulated", QStringLiteral("Simplex on a Simulated Process..."));
}

QAction* MainMenus::action(const QString& objectName) const
{
    return m_actions.value(objectName, nullptr);
}

QMenu* MainMenus::menu(const QString& objectName) const
{
    return m_menus.value(objectName, nullptr);
}

QMenu* MainMenus::addMenu(QMenuBar& bar, const char* name, const QString& caption)
{
    return registerMenu(bar.addMenu(caption), name);
}

QMenu* MainMenus::addSubmenu(QMenu& parent, const char* name, const QString& caption)
{
    return registerMenu(parent.addMenu(caption), name);
}

QMenu* MainMenus::registerMenu(QMenu* created, const char* name)
{
    created->setObjectName(QLatin1String(name));
    // The title's action carries the same name, so a menu can be switched
    // off (and found) like any item.
    created->menuAction()->setObjectName(QLatin1String(name));
    m_menus.insert(QLatin1String(name), created);
    m_actions.insert(QLatin1String(name), created->menuAction());
    return created;
}

QAction* MainMenus::addItem(QMenu& menu, const char* name, const QString& caption, const char* shortcut)
{
    QAction* item = menu.addAction(caption);
    item->setObjectName(QLatin1String(name));
    if (shortcut)
        item->setShortcut(QKeySequence(QLatin1String(shortcut)));
    m_actions.insert(QLatin1String(name), item);
    return item;
}

QAction* MainMenus::addSeparator(QMenu& menu, const char* name)
{
    QAction* separator = menu.addSeparator();
    separator->setObjectName(QLatin1String(name));
    m_actions.insert(QLatin1String(name), separator);
    return separator;
}

} // namespace zeltomir::shell
