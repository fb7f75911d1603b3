#include "shell/QtDialogService.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zeltomir::shell {

namespace {

QMessageBox::Icon ToQtIcon(core::MessageIcon icon)
{
    switch (icon) {
    case core::MessageIcon::Critical:
        return QMessageBox::Critical; // the "stop" icon
    case core::MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case core::MessageIcon::Information:
        return QMessageBox::Information;
    case core::MessageIcon::Question:
        return QMessageBox::Question;
    case core::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The extension a filter such as "Simplex Files (*.sso)" stands for; empty
// for one that matches any name ("All Files (*)").
QString FilterExtension(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("\\(\\*\\.([^)\\s;*?]+)\\)"));
    return pattern.match(filter).captured(1);
}

} // namespace

QStringList NameFiltersFromFilterString(const QString& filterString)
{
    QStringList result;
    if (filterString.isEmpty())
        return result;
    const QStringList parts = filterString.split(QLatin1Char('|'));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        const QString pattern = i + 1 < parts.size() ? parts.at(i + 1).trimmed() : QString();
        if (!pattern.isEmpty() && !description.contains(QLatin1Char('(') + pattern + QLatin1Char(')')))
            description += QStringLiteral(" (") + pattern + QLatin1Char(')');
        description.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
        result << description;
    }
    return result;
}

QtDialogService::QtDialogService(QWidget* parent)
    : m_parent(parent)
{
}

std::unique_ptr<QMessageBox> QtDialogService::buildMessageBox(const MessageRequest& request, QWidget* parent)
{
    auto box = std::make_unique<QMessageBox>(parent);
    box->setWindowTitle(request.title);
    box->setText(request.text);
    box->setTextFormat(Qt::PlainText); // messages quote user input verbatim
    box->setIcon(ToQtIcon(request.icon));
    if (request.buttons == MessageButtons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setEscapeButton(QMessageBox::No);
        box->setDefaultButton(request.defaultButton == MessageAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
        box->setDefaultButton(QMessageBox::Ok);
    }
    // A box is as wide as its text and buttons need, which for a short text
    // cuts a title such as "Question Response" short in the title bar. The
    // box sizes itself from its layout's minimum, so a spacer of the title's
    // width keeps the title whole.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
        const QMargins margins = grid->contentsMargins();
        const int room = TitleRoomWidth(request.title, box->font()) - margins.left() - margins.right();
        grid->addItem(new QSpacerItem(room, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }
    return box;
}

int QtDialogService::TitleRoomWidth(const QString& title, const QFont& font)
{
    QFont titleFont = font;
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    // Room for the window icon and the three frame buttons of the title bar.
    return metrics.horizontalAdvance(title) + 8 * metrics.height();
}

MessageAnswer QtDialogService::answerFor(QMessageBox::StandardButton clicked, MessageButtons buttons)
{
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return clicked == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer QtDialogService::message(const MessageRequest& request)
{
    auto box = buildMessageBox(request, m_parent);
    const auto clicked = static_cast<QMessageBox::StandardButton>(box->exec());
    return answerFor(clicked, request.buttons);
}

std::unique_ptr<QDialog> QtDialogService::buildChoiceDialog(const ChoiceRequest& request, QWidget* parent)
{
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setWindowTitle(request.title);
    auto* prompt = new QLabel(request.prompt, dialog.get());
    prompt->setTextFormat(Qt::PlainText);
    prompt->setWordWrap(true);

    auto* list = new QTreeWidget(dialog.get());
    list->setObjectName(QStringLiteral("list"));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setColumnCount(static_cast<int>(request.headers.size()));
    list->setHeaderLabels(request.headers);
    for (const QStringList& row : request.rows) {
        auto* item = new QTreeWidgetItem(list, row);
        // Numbers read best right-aligned, under each other.
        for (int col = 1; col < row.size(); ++col)
            item->setTextAlignment(col, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int col = 0; col < list->columnCount(); ++col)
        list->resizeColumnToContents(col);
    if (request.selected >= 0 && request.selected < list->topLevelItemCount())
        list->setCurrentItem(list->topLevelItem(request.selected));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog.get());
    QDialog* shown = dialog.get();
    QObject::connect(buttons, &QDialogButtonBox::accepted, shown, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, shown, &QDialog::reject);
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, shown, &QDialog::accept);
    QObject::connect(list, &QTreeWidget::itemSelectionChanged, buttons, [list, buttons] {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!list->selectedItems().isEmpty());
    });
    buttons->button(QDialogButtonBox::Ok)->setEnabled(!list->selectedItems().isEmpty());

    auto* layout = new QVBoxLayout(shown);
    layout->addWidget(prompt);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);

    // Wide enough for every column without a scroll bar, and for the title.
    int width = list->frameWidth() * 2;
    for (int col = 0; col < list->columnCount(); ++col)
        width += list->columnWidth(col);
    const QMargins margins = layout->contentsMargins();
    width = std::max(width, TitleRoomWidth(request.title, shown->font()) - margins.left() - margins.right());
    list->setMinimumWidth(width);
    list->setFocus(Qt::OtherFocusReason);
    return dialog;
}

std::optional<int> QtDialogService::selectedChoice(const QDialog& dialog)
{
    const auto* list = dialog.findChild<QTreeWidget*>(QStringLiteral("list"));
    if (!list || list->selectedItems().isEmpty())
        return std::nullopt;
    return list->indexOfTopLevelItem(list->selectedItems().first());
}

std::optional<int> QtDialogService::chooseOne(const ChoiceRequest& request)
{
    const auto dialog = buildChoiceDialog(request, m_parent);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return selectedChoice(*dialog);
}

bool DialogService::runDialog(QDialog& dialog)
{
    return dialog.exec() == QDialog::Accepted;
}

std::optional<QString> QtDialogService::openFileName(const QStringList& nameFilters, int selectedFilter)
{
    return runFileDialog({FileDialogKind::Open, nameFilters, selectedFilter});
}

std::optional<QString> QtDialogService::saveFileName(const QStringList& nameFilters, int selectedFilter)
{
    return runFileDialog({FileDialogKind::Save, nameFilters, selectedFilter});
}

std::unique_ptr<QInputDialog> QtDialogService::buildTextDialog(const TextRequest& request, QWidget* parent)
{
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setWindowTitle(request.title);
    dialog->setLabelText(request.label);
    dialog->setTextValue(request.text);
    return dialog;
}

std::optional<QString> QtDialogService::askText(const TextRequest& request)
{
    const auto dialog = buildTextDialog(request, m_parent);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->textValue();
}

std::unique_ptr<QFileDialog> QtDialogService::buildFileDialog(const FileDialogRequest& request, QWidget* parent,
                                                              const QString& folder)
{
    auto dialog = std::make_unique<QFileDialog>(parent);
    if (!folder.isEmpty())
        dialog->setDirectory(folder);
    if (request.kind == FileDialogKind::Save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    dialog->setNameFilters(request.nameFilters);
    if (request.selectedFilter >= 0 && request.selectedFilter < request.nameFilters.size())
        dialog->selectNameFilter(request.nameFilters.at(request.selectedFilter));
    if (request.kind == FileDialogKind::Save) {
        // A name typed without an extension gets the chosen filter's, so the
        // file shows under that filter when it is opened again; a name with
        // one is kept as typed, and "All Files" adds none.
        QFileDialog* saving = dialog.get();
        saving->setDefaultSuffix(FilterExtension(saving->selectedNameFilter()));
        QObject::connect(saving, &QFileDialog::filterSelected, saving,
                         [saving](const QString& filter) { saving->setDefaultSuffix(FilterExtension(filter)); });
    }
    return dialog;
}

std::optional<QString> QtDialogService::runFileDialog(const FileDialogRequest& request)
{
    // Like the system's own file dialogs, the next dialog starts in the
    // folder the user went to last, not back in the working folder.
    const auto dialog = buildFileDialog(request, m_parent, m_lastFolder);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    m_lastFolder = QFileInfo(chosen.first()).absolutePath();
    return chosen.first();
}

} // namespace zeltomir::shell
