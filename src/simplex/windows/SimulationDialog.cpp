#include "simplex/windows/SimulationDialog.h"

#include "simplex/EngineSupport.h"
#include "simplex/ProcessNoise.h"

#include "core/NumberText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace zeltomir::simplex {

SimulationDialog::SimulationDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSimulation"));
    setWindowTitle(QStringLiteral("Simplex on a Simulated Process"));

    m_processes = new QListWidget(this);
    m_processes->setObjectName(QStringLiteral("lstProcess"));
    for (const SimulatedProcess& process : SimulatedProcesses()) {
        auto* item = new QListWidgetItem(process.title, m_processes);
        item->setData(Qt::UserRole, process.name);
    }
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("lblDescription"));
    m_description->setWordWrap(true);
    m_description->setMinimumHeight(fontMetrics().lineSpacing() * 4);
    m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    m_noise = new QLineEdit(QStringLiteral("0"), this);
    m_noise->setObjectName(QStringLiteral("txtNoise"));
    m_seed = new QLineEdit(QString::number(FreshSeed()), this);
    m_seed->setObjectName(QStringLiteral("txtSeed"));
    m_newSeed = new QPushButton(QStringLiteral("New Seed"), this);
    m_newSeed->setObjectName(QStringLiteral("cmdNewSeed"));
    m_newSeed->setAutoDefault(false);
    // Room for a whole seed as drawn, which a learner may want to write down.
    m_seed->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000000000")));

    auto* steps = new QGroupBox(QStringLiteral("Step Type"), this);
    m_fixed = new QRadioButton(QStringLiteral("Fixed"), steps);
    m_fixed->setObjectName(QStringLiteral("optFixed"));
    m_variable = new QRadioButton(QStringLiteral("Variable"), steps);
    m_variable->setObjectName(QStringLiteral("optVariable"));
    m_variable->setChecked(true);
    auto* stepsLayout = new QHBoxLayout(steps);
    stepsLayout->addWidget(m_fixed);
    stepsLayout->addWidget(m_variable);
    stepsLayout->addStretch(1);

    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("lblError"));
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: #b00000"));
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->setObjectName(QStringLiteral("buttons"));

    auto* seedRow = new QHBoxLayout;
    seedRow->addWidget(m_seed, 1);
    seedRow->addWidget(m_newSeed);
    auto* form = new QFormLayout;
    m_noiseLabel = new QLabel(this);
    form->addRow(m_noiseLabel, m_noise);
    form->addRow(QStringLiteral("Seed of the noise:"), seedRow);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Process:"), this));
    layout->addWidget(m_processes, 1);
    layout->addWidget(m_description);
    layout->addLayout(form);
    layout->addWidget(steps);
    layout->addWidget(m_error);
    layout->addWidget(m_buttons);

    connect(m_processes, &QListWidget::currentRowChanged, this, &SimulationDialog::processChosen);
    connect(m_newSeed, &QPushButton::clicked, this, [this] { m_seed->setText(QString::number(FreshSeed())); });
    connect(m_buttons, &QDialogButtonBox::accepted, this, &SimulationDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &SimulationDialog::reject);
    m_processes->setCurrentRow(0);
    resize(fontMetrics().averageCharWidth() * 64, sizeHint().height());
}

void SimulationDialog::processChosen()
{
    const SimulatedProcess* process =
        m_processes->currentItem() ? FindSimulatedProcess(m_processes->currentItem()->data(Qt::UserRole).toString())
                                   : nullptr;
    if (!process)
        return;
    m_description->setText(process->description);
    // The range tells the learner what a noise of 1 means for this response.
    m_noiseLabel->setText(QStringLiteral("Noise (standard deviation; the response spans %1):")
                              .arg(core::GeneralForm(ResponseRange(*process), core::Precision::Single)));
}

std::optional<SimulationChoice> SimulationDialog::choice()
{
    SimulationChoice chosen;
    if (m_processes->currentItem())
        chosen.process = m_processes->currentItem()->data(Qt::UserRole).toString();
    const std::optional<double> sigma = ReadDouble(m_noise->text(), locale());
    bool whole = false;
    chosen.seed = m_seed->text().trimmed().toULongLong(&whole);
    chosen.stepType = m_fixed->isChecked() ? QStringLiteral("Fixed") : QStringLiteral("Variable");
    QString error;
    if (chosen.process.isEmpty())
        error = QStringLiteral("Choose a process.");
    else if (!sigma || !std::isfinite(*sigma) || *sigma < 0)
        error = QStringLiteral("The noise must be a number no smaller than 0.");
    else if (!whole)
        error = QStringLiteral("The seed must be a whole number no smaller than 0.");
    m_error->setText(error);
    if (!error.isEmpty())
        return std::nullopt;
    chosen.sigma = *sigma;
    return chosen;
}

void SimulationDialog::accept()
{
    if (choice())
        QDialog::accept();
}

} // namespace zeltomir::simplex
