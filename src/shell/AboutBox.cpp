#include "shell/AboutBox.h"

#include "core/LicenceNotice.h"
#include "core/ProgramInfo.h"
#include "shell/ApplicationIcon.h"
#include "shell/Twips.h"

#include <QEvent>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace zeltomir::shell {

namespace {

constexpr int WidthTwips = 5730;
constexpr int IconTwips = 480;

QString DescriptionText()
{
    return QStringLiteral(
        "Zeltomir leads experimenters step by step through the improvement of a running "
        "process with the sequential simplex method, and offers practice exercises for "
        "learners of the design of experiments.\n\n"
        "The manual opens from Help > Contents. For support, please contact the supplier "
        "from whom you received this copy of the program.");
}

} // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("About"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("picIcon"));
    // The program's icon as its windows show it; drawn here when no window
    // icon was set (a box opened without the program around it).
    const QIcon icon = windowIcon().isNull() ? DrawnApplicationIcon() : windowIcon();
    m_icon->setPixmap(icon.pixmap(TwipsSize(this, IconTwips, IconTwips), devicePixelRatioF()));
    m_icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    m_title->setFont(titleFont);

    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("lblVersion"));

    m_description = new QLabel(DescriptionText(), this);
    m_description->setObjectName(QStringLiteral("lblDescription"));
    m_description->setWordWrap(true);

    QStringList notice = core::LicenceNotice();
    const QString address = notice.takeLast();
    m_licence = new QLabel(notice.join(QLatin1Char(' ')) + QLatin1Char('\n') + address, this);
    m_licence->setObjectName(QStringLiteral("lblLicence"));
    m_licence->setWordWrap(true);
    // The address can be copied out of the box.
    m_licence->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QWidget::close);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_icon, 0, 0, 3, 1);
    layout->addWidget(m_title, 0, 1);
    layout->addWidget(m_version, 1, 1);
    layout->addWidget(m_description, 2, 1);
    layout->addWidget(m_licence, 3, 1);
    layout->addWidget(m_ok, 4, 1, Qt::AlignRight);
    layout->setColumnStretch(1, 1);
    setMinimumWidth(TwipsX(this, WidthTwips));

    // Filled here too so the box never shows empty labels before its first
    // activation.
    showTitleAndVersion();
}

bool AboutBox::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate) {
        showTitleAndVersion();
        emit activated();
    }
    return QDialog::event(event);
}

void AboutBox::showTitleAndVersion()
{
    setWindowTitle(QStringLiteral("About ") + core::ProgramTitle);
    m_version->setText(QStringLiteral("Version ") + core::VersionText());
    m_title->setText(core::ProgramTitle);
}

} // namespace zeltomir::shell
