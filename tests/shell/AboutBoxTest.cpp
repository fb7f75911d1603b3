#include "MainWindowFixture.h"

#include "shell/AboutBox.h"
#include "shell/ApplicationIcon.h"

#include "core/ProgramInfo.h"

#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>

namespace zeltomir::shell {
namespace {

class AboutBoxTest : public MainWindowFixture {
protected:
    AboutBox* openAbout()
    {
        action("mnu_help_about")->trigger();
        AboutBox* about = window->aboutBox();
        EXPECT_NE(about, nullptr);
        if (about) {
            EXPECT_TRUE(becomesActive(about));
        }
        return about;
    }

    // QWindow counts a dialog as active while its parent is; ask Qt Widgets.
    static bool becomesActive(QWidget* widget)
    {
        return QTest::qWaitFor([widget] { return QApplication::activeWindow() == widget; });
    }

    QString labelText(AboutBox* about, const char* name) const
    {
        const auto* label = about->findChild<QLabel*>(QLatin1String(name));
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text() : QString();
    }
};

TEST_F(AboutBoxTest, ShowsTitleVersionAndDescription)
{
    AboutBox* about = openAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(about->objectName(), "About");
    EXPECT_EQ(about->windowTitle(), "About Zeltomir");
    EXPECT_EQ(labelText(about, "lblTitle"), "Zeltomir");
    EXPECT_EQ(labelText(about, "lblVersion"), "Version " + core::VersionText());
    EXPECT_FALSE(labelText(about, "lblDescription").trimmed().isEmpty());
    EXPECT_EQ(labelText(about, "lblLicence"),
              "Copyright (C) 2026 The Zeltomir developers. This program comes with ABSOLUTELY NO WARRANTY. "
              "It is free software under the GNU General Public License, version 3 or later.\n"
              "The licence: https://www.gnu.org/licenses/gpl.html");
    const auto* icon = about->findChild<QLabel*>("picIcon");
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->pixmap().isNull());
}

// The box shows the program's icon: the application's window icon, or the
// drawn one when none was set; never a stock picture of the style.
TEST_F(AboutBoxTest, ShowsTheProgramsIcon)
{
    const QIcon before = QApplication::windowIcon();
    QPixmap square(64, 64);
    square.fill(Qt::red);
    const struct {
        const char* name;
        QIcon windowIcon;
        QIcon shown;
    } cases[] = {
        {"no window icon set", QIcon(), DrawnApplicationIcon()},
        {"the application's window icon", QIcon(square), QIcon(square)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QApplication::setWindowIcon(c.windowIcon);
        AboutBox* about = openAbout();
        ASSERT_NE(about, nullptr);
        const auto* icon = about->findChild<QLabel*>("picIcon");
        ASSERT_NE(icon, nullptr);
        const QPixmap shown = icon->pixmap();
        ASSERT_FALSE(shown.isNull());
        const QPixmap expected = c.shown.pixmap(shown.deviceIndependentSize().toSize(), shown.devicePixelRatio());
        EXPECT_EQ(shown.toImage().convertToFormat(QImage::Format_ARGB32),
                  expected.toImage().convertToFormat(QImage::Format_ARGB32));
        about->close();
        ASSERT_TRUE(QTest::qWaitFor([this] { return window->aboutBox() == nullptr; }));
    }
    QApplication::setWindowIcon(before);
}

TEST_F(AboutBoxTest, IsAWindowBesideTheMainWindowAndDoesNotBlockIt)
{
    AboutBox* about = openAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isWindow());
    EXPECT_FALSE(about->isModal());
    EXPECT_FALSE(window->mdiArea()->isAncestorOf(about));
    EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(AboutBoxTest, AboutTwiceBringsTheSameBoxForward)
{
    AboutBox* first = openAbout();
    ASSERT_NE(first, nullptr);
    window->activateWindow();
    ASSERT_TRUE(becomesActive(window.get()));
    AboutBox* second = openAbout();
    EXPECT_EQ(second, first);
    EXPECT_EQ(window->findChildren<AboutBox*>().size(), 1);
    EXPECT_EQ(QApplication::activeWindow(), first);
}

TEST_F(AboutBoxTest, ActivationSwitchesThePrintButtonOffUntilAChildSwitchesItOn)
{
    AboutBox* about = openAbout();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(button("btnPrint")->isEnabled());
    EXPECT_TRUE(action("mnufileprint")->isEnabled());

    // Going back to the main window alone does not bring it back.
    window->activateWindow();
    ASSERT_TRUE(becomesActive(window.get()));
    EXPECT_FALSE(button("btnPrint")->isEnabled());

    window->updateCommandAvailability("frmDefineFactors");
    EXPECT_TRUE(button("btnPrint")->isEnabled());

    // Each activation switches it off again.
    about->activateWindow();
    ASSERT_TRUE(becomesActive(about));
    EXPECT_FALSE(button("btnPrint")->isEnabled());
}

TEST_F(AboutBoxTest, OkClosesTheBoxAndTheNextAboutMakesAFreshOne)
{
    AboutBox* about = openAbout();
    ASSERT_NE(about, nullptr);
    auto* ok = about->findChild<QPushButton*>("cmdOK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->text(), "OK");
    QTest::mouseClick(ok, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->aboutBox() == nullptr; }));
    AboutBox* again = openAbout();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible());
}

} // namespace
} // namespace zeltomir::shell
