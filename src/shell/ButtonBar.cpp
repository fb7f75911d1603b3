#include "shell/ButtonBar.h"

#include "shell/ToolbarIcons.h"
#include "shell/Twips.h"

#include <QIcon>

#include <array>

namespace zeltomir::shell {

namespace {

struct ButtonSpec {
    const char* name;
    const char* toolTip;
    int leftTwips; // -1: kept at the right end
    bool startsEnabled;
    const char* themeIcon;
    ToolbarIconKind fallbackIcon; // drawn in code where the desktop has no icon theme
};

// The gaps between groups (after Save, after Paste) are part of the layout.
constexpr std::array<ButtonSpec, 11> Buttons{{
    {"New_button", "Clear Data Entry Sheet", 0, true, "document-new", ToolbarIconKind::New},
    {"Open_button", "Open File", 408, true, "document-open", ToolbarIconKind::Open},
    {"Save_button", "Save File", 816, true, "document-save", ToolbarIconKind::Save},
    {"btnPrint", "Print", 1428, true, "document-print", ToolbarIconKind::Print},
    {"cut_button", "Cut", 2085, true, "edit-cut", ToolbarIconKind::Cut},
    {"copy_button", "Copy", 2490, true, "edit-copy", ToolbarIconKind::Copy},
    {"Paste_button", "Paste", 2910, true, "edit-paste", ToolbarIconKind::Paste},
    {"undo_button", "Undo", 3510, false, "edit-undo", ToolbarIconKind::Undo},
    {"redo_button", "Redo", 3930, false, "edit-redo", ToolbarIconKind::Redo},
    {"Command3D4", "Help", -1, true, "help-contents", ToolbarIconKind::Help},
    {"end_button", "Exit", -1, true, "application-exit", ToolbarIconKind::Exit},
}};

} // namespace

ButtonBar::ButtonBar(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("buttonbar"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    const QSize buttonSize = TwipsSize(this, ButtonSizeTwips, ButtonSizeTwips);
    for (const ButtonSpec& entry : Buttons) {
        auto* button = new QToolButton(this);
        button->setObjectName(QLatin1String(entry.name));
        button->setToolTip(QLatin1String(entry.toolTip));
        button->setIcon(DrawnToolbarIcon(entry.fallbackIcon, QLatin1String(entry.themeIcon)));
        button->setIconSize(TwipsSize(this, 300, 300));
        button->setFocusPolicy(Qt::NoFocus); // the focus stays with the child window being edited
        button->setEnabled(entry.startsEnabled);
        button->resize(buttonSize);
        if (entry.leftTwips >= 0)
            button->move(TwipsX(this, entry.leftTwips), 0);
        m_buttons.append(button);
    }
    m_help = button(QStringLiteral("Command3D4"));
    m_exit = button(QStringLiteral("end_button"));
    placeRightButtons();
}

QToolButton* ButtonBar::button(const QString& objectName) const
{
    for (QToolButton* candidate : m_buttons) {
        if (candidate->objectName() == objectName)
            return candidate;
    }
    return nullptr;
}

void ButtonBar::placeRightButtons()
{
    // The rule is stated for the main window's width; the bar may sit a few
    // pixels in from the window's left edge inside its tool bar.
    const QWidget* mainWindow = window();
    const int windowWidth = mainWindow == this ? width() : mainWindow->width();
    const int offset = mainWindow == this ? 0 : mapTo(mainWindow, QPoint(0, 0)).x();
    const int helpLeft = windowWidth - TwipsX(this, RightMarginTwips) - m_exit->width() - m_help->width() - offset;
    m_help->move(helpLeft, 0);
    m_exit->move(m_help->x() + m_help->width(), 0);
}

QSize ButtonBar::sizeHint() const
{
    return {TwipsX(this, 3930 + ButtonSizeTwips + RightMarginTwips + 2 * ButtonSizeTwips), TwipsY(this, HeightTwips)};
}

QSize ButtonBar::minimumSizeHint() const
{
    return {0, TwipsY(this, HeightTwips)};
}

void ButtonBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeRightButtons();
}

} // namespace zeltomir::shell
