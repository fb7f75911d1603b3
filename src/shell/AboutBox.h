#pragma once

// The About window: title, version, a short description, the licence notice
// and OK. It is a window of its own beside the main window (not one of its
// MDI children) and does not block it.

#include <QDialog>

class QLabel;
class QPushButton;

namespace zeltomir::shell {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

signals:
    // Each time the box becomes the active window; the main window switches
    // its Print button off then.
    void activated();

protected:
    bool event(QEvent* event) override;

private:
    void showTitleAndVersion();

    QLabel* m_icon;
    QLabel* m_title;
    QLabel* m_version;
    QLabel* m_description;
    QLabel* m_licence;
    QPushButton* m_ok;
};

} // namespace zeltomir::shell
