#pragma once

// The main window's status bar: Num Lock, Caps Lock, Insert and Scroll Lock
// indicators and today's date. The program never writes messages to it.

#include "shell/KeyboardIndicators.h"

#include <QDate>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <functional>

namespace zeltomir::shell {

class KeyboardStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit KeyboardStatusBar(QWidget* parent = nullptr);
    ~KeyboardStatusBar() override;

    const KeyboardIndicators& indicators() const { return m_indicators; }
    QLabel* numLockPanel() const { return m_num; }
    QLabel* capsLockPanel() const { return m_caps; }
    QLabel* insertPanel() const { return m_insert; }
    QLabel* scrollLockPanel() const { return m_scroll; }
    QLabel* datePanel() const { return m_date; }

    // Where today's date comes from; tests put a fixed day here.
    void setToday(std::function<QDate()> today);
    void refreshDate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* addPanel(const QString& objectName, const QString& text);
    void showIndicators();

    KeyboardIndicators m_indicators;
    NativeModifierLayout m_layout;
    std::function<QDate()> m_today;
    QLabel* m_num;
    QLabel* m_caps;
    QLabel* m_insert;
    QLabel* m_scroll;
    QLabel* m_date;
    QTimer m_dateTimer;
};

} // namespace zeltomir::shell
