#include "shell/KeyboardStatusBar.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>

namespace zeltomir::shell {

namespace {

// The date only has to change within a minute of midnight; a plain repeating
// check also survives clock changes and a machine waking from sleep.
constexpr int DateCheckMilliseconds = 30 * 1000;

} // namespace

KeyboardStatusBar::KeyboardStatusBar(QWidget* parent)
    : QStatusBar(parent)
    , m_layout(NativeModifierLayoutFor(QGuiApplication::platformName()))
    , m_today([] { return QDate::currentDate(); })
{
    setObjectName(QStringLiteral("sbStatusBar"));
    setSizeGripEnabled(true);
    m_num = addPanel(QStringLiteral("NumLockPanel"), QStringLiteral("NUM"));
    m_caps = addPanel(QStringLiteral("CapsLockPanel"), QStringLiteral("CAPS"));
    m_insert = addPanel(QStringLiteral("InsertPanel"), QStringLiteral("INS"));
    m_scroll = addPanel(QStringLiteral("ScrollLockPanel"), QStringLiteral("SCRL"));
    m_date = addPanel(QStringLiteral("DatePanel"), QString());
    showIndicators();
    refreshDate();
    connect(&m_dateTimer, &QTimer::timeout, this, &KeyboardStatusBar::refreshDate);
    m_dateTimer.start(DateCheckMilliseconds);
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

KeyboardStatusBar::~KeyboardStatusBar()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

void KeyboardStatusBar::setToday(std::function<QDate()> today)
{
    m_today = std::move(today);
    refreshDate();
}

void KeyboardStatusBar::refreshDate()
{
    const QString text = QLocale().toString(m_today(), QLocale::ShortFormat);
    if (m_date->text() != text)
        m_date->setText(text);
}

bool KeyboardStatusBar::eventFilter(QObject* watched, QEvent* event)
{
    // A key press reaches the application's filter once for its window and
    // again for every widget it is offered to; only the window's delivery
    // stands for one press of the key.
    if (event->type() == QEvent::KeyPress && watched->isWindowType()) {
        const auto* keyEvent = static_cast<const QKeyEvent*>(event);
        if (!keyEvent->isAutoRepeat()) {
            m_indicators.keyPressed(keyEvent->key(), keyEvent->nativeModifiers(), m_layout);
            showIndicators();
        }
    }
    return QStatusBar::eventFilter(watched, event);
}

QLabel* KeyboardStatusBar::addPanel(const QString& objectName, const QString& text)
{
    auto* panel = new QLabel(text, this);
    panel->setObjectName(objectName);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    panel->setMargin(1);
    if (!text.isEmpty())
        panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 12);
    addPermanentWidget(panel);
    return panel;
}

void KeyboardStatusBar::showIndicators()
{
    // An indicator that is off stays in place, greyed.
    m_num->setEnabled(m_indicators.numLock);
    m_caps->setEnabled(m_indicators.capsLock);
    m_insert->setEnabled(m_indicators.insert);
    m_scroll->setEnabled(m_indicators.scrollLock);
}

} // namespace zeltomir::shell
