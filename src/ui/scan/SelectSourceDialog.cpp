#include "ui/scan/SelectSourceDialog.h"

#include "ui/scan/ScanWorker.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

SelectSourceDialog::SelectSourceDialog(ScanWorker& worker, const ScanSource& current, QWidget* parent)
    : QDialog(parent),
      m_current(current),
      m_status(new QLabel(tr("Searching for scanners..."), this)),
      m_list(new QListWidget(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Select Source"));
    setAccessibleName(tr("Select Source"));
    m_list->setAccessibleName(tr("Sources"));
    m_list->setAccessibleDescription(tr("The scanners found; the one chosen is used for scanning"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Sources:"), this));
    layout->addWidget(m_list);
    layout->addWidget(m_status);
    layout->addWidget(m_buttons);
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("Select"));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(false);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_buttons->button(QDialogButtonBox::Ok)->isEnabled()) accept();
    });
    connect(&worker, &ScanWorker::devicesListed, this, &SelectSourceDialog::ShowDevices);
    worker.ListDevices();
}

ScanSource SelectSourceDialog::Chosen() const
{
    const int row = m_list->currentRow();
    if (row < 0 || row >= static_cast<int>(m_devices.size())) return m_current;
    return m_devices[static_cast<std::size_t>(row)];
}

void SelectSourceDialog::ShowDevices(bool initialised, const std::vector<ScanSource>& devices)
{
    m_devices = devices;
    m_list->clear();
    m_status->clear();
    if (!initialised) {
        m_failed = true;
        Q_EMIT devicesShown();
        reject();
        return;
    }
    if (devices.empty()) {
        m_status->setText(tr("No scanner found"));
        Q_EMIT devicesShown();
        return;
    }
    int preselected = 0;
    for (std::size_t i = 0; i < devices.size(); ++i) {
        m_list->addItem(QString::fromStdString(devices[i].Label()));
        if (devices[i].name == m_current.name) preselected = static_cast<int>(i);
    }
    m_list->setCurrentRow(preselected);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(true);
    Q_EMIT devicesShown();
}
