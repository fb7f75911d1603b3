#include "MainWindowFixture.h"

#include "shell/KeyboardStatusBar.h"

#include <QLabel>
#include <QStatusBar>

namespace zeltomir::shell {
namespace {

struct Press {
    int key;
    quint32 native;
};

struct IndicatorRow {
    const char* name;
    NativeModifierLayout layout;
    std::vector<Press> presses;
    KeyboardIndicators expected; // num, caps, insert, scroll
};

constexpr quint32 X11Lock = 0x02;
constexpr quint32 X11Num = 0x10;

const IndicatorRow IndicatorRows[] = {
    {"nothing pressed", NativeModifierLayout::Unknown, {}, {false, false, false, false}},
    {"each lock key once", NativeModifierLayout::Unknown,
     {{Qt::Key_CapsLock, 0}, {Qt::Key_NumLock, 0}, {Qt::Key_ScrollLock, 0}, {Qt::Key_Insert, 0}},
     {true, true, true, true}},
    {"caps lock twice", NativeModifierLayout::Unknown, {{Qt::Key_CapsLock, 0}, {Qt::Key_CapsLock, 0}},
     {false, false, false, false}},
    {"other keys change nothing", NativeModifierLayout::Unknown, {{Qt::Key_A, 0xFFFF}, {Qt::Key_Shift, 0xFFFF}},
     {false, false, false, false}},
    // X11 reports the state before the press: a letter typed with Caps Lock
    // on tells us it is on; the Caps Lock press itself then turns it off.
    {"x11 letter reveals the locks", NativeModifierLayout::X11, {{Qt::Key_A, X11Lock | X11Num}},
     {true, true, false, false}},
    {"x11 caps press from on", NativeModifierLayout::X11, {{Qt::Key_CapsLock, X11Lock}}, {false, false, false, false}},
    {"x11 caps press from off", NativeModifierLayout::X11, {{Qt::Key_CapsLock, 0}}, {false, true, false, false}},
    {"x11 corrects a wrong guess", NativeModifierLayout::X11,
     {{Qt::Key_NumLock, 0}, {Qt::Key_NumLock, 0}, {Qt::Key_B, 0}}, {false, false, false, false}},
    {"x11 insert and scroll still toggle", NativeModifierLayout::X11,
     {{Qt::Key_Insert, 0}, {Qt::Key_ScrollLock, 0}}, {false, false, true, true}},
    // Windows reports the state after the toggle.
    {"windows reports all three locks", NativeModifierLayout::Windows,
     {{Qt::Key_ScrollLock, 0x100 | 0x200 | 0x400}}, {true, true, false, true}},
    {"windows insert toggles", NativeModifierLayout::Windows, {{Qt::Key_Insert, 0}, {Qt::Key_Insert, 0}, {Qt::Key_Insert, 0}},
     {false, false, true, false}},
};

TEST(KeyboardIndicators, FollowTheKeysAndTheNativeState)
{
    for (const IndicatorRow& row : IndicatorRows) {
        SCOPED_TRACE(row.name);
        KeyboardIndicators indicators;
        for (const Press& press : row.presses)
            indicators.keyPressed(press.key, press.native, row.layout);
        EXPECT_EQ(indicators.numLock, row.expected.numLock);
        EXPECT_EQ(indicators.capsLock, row.expected.capsLock);
        EXPECT_EQ(indicators.insert, row.expected.insert);
        EXPECT_EQ(indicators.scrollLock, row.expected.scrollLock);
    }
}

TEST(KeyboardIndicators, NativeLayoutByPlatform)
{
    EXPECT_EQ(NativeModifierLayoutFor("xcb"), NativeModifierLayout::X11);
    EXPECT_EQ(NativeModifierLayoutFor("windows"), NativeModifierLayout::Windows);
    EXPECT_EQ(NativeModifierLayoutFor("offscreen"), NativeModifierLayout::Unknown);
    EXPECT_EQ(NativeModifierLayoutFor("wayland"), NativeModifierLayout::Unknown);
}

using KeyboardStatusBarTest = MainWindowFixture;

TEST_F(KeyboardStatusBarTest, HasFivePanelsInOrder)
{
    auto* bar = window->findChild<QStatusBar*>("sbStatusBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(window->statusBar(), bar);
    QStringList names;
    for (const QLabel* panel : bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        names << panel->objectName();
    EXPECT_EQ(Joined(names), "NumLockPanel | CapsLockPanel | InsertPanel | ScrollLockPanel | DatePanel");
}

TEST_F(KeyboardStatusBarTest, EachKeyPressTogglesItsPanelOnce)
{
    activate();
    KeyboardStatusBar* bar = window->keyboardStatusBar();
    const std::pair<Qt::Key, QLabel*> rows[] = {
        {Qt::Key_NumLock, bar->numLockPanel()},
        {Qt::Key_CapsLock, bar->capsLockPanel()},
        {Qt::Key_Insert, bar->insertPanel()},
        {Qt::Key_ScrollLock, bar->scrollLockPanel()},
    };
    for (const auto& [key, panel] : rows) {
        SCOPED_TRACE(panel->objectName().toStdString());
        EXPECT_FALSE(panel->isEnabled());
        // Through the window, as the platform delivers it: the press reaches
        // several widgets but must count once.
        QTest::keyClick(window->windowHandle(), key);
        EXPECT_TRUE(panel->isEnabled());
        QTest::keyClick(window->windowHandle(), key);
        EXPECT_FALSE(panel->isEnabled());
    }
}

TEST_F(KeyboardStatusBarTest, DatePanelShowsTodayInTheShortFormat)
{
    KeyboardStatusBar* bar = window->keyboardStatusBar();
    EXPECT_EQ(bar->datePanel()->text(), QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));

    QDate today(2024, 2, 28);
    bar->setToday([&today] { return today; });
    EXPECT_EQ(bar->datePanel()->text(), QLocale().toString(QDate(2024, 2, 28), QLocale::ShortFormat));
    today = today.addDays(1);
    bar->refreshDate();
    EXPECT_EQ(bar->datePanel()->text(), QLocale().toString(QDate(2024, 2, 29), QLocale::ShortFormat));

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    bar->refreshDate();
    EXPECT_EQ(bar->datePanel()->text(), "29.02.24");
    QLocale::setDefault(QLocale::c());
}

} // namespace
} // namespace zeltomir::shell
