#include "ui/scan/TwainScanDialog.h"

#include "core/Prompter.h"
#include "imaging/Picture.h"
#include "ui/common/DialogGuard.h"
#include "ui/common/DialogRunner.h"
#include "ui/dialogs/PhotoInfoDialog.h"
#include "ui/scan/DeviceOptionsDialog.h"

#include <QPushButton>
#include <QVBoxLayout>

#include <sane/sane.h>

namespace {

constexpr std::string_view kRetrieveFailed = "Error retrieving scanned image";

}  // namespace

TwainScanDialog::TwainScanDialog(const PhotoDialogHost& host, const ScanSource& source, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      m_host(host),
      m_worker(std::make_unique<ScanWorker>()),
      m_cancel(new QPushButton(tr("Cancel Scanner"), this))
{
    setAccessibleName(tr("Cancel Scanner"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_cancel->setMinimumSize(128, 46);
    m_cancel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    layout->addWidget(m_cancel);
    connect(m_cancel, &QPushButton::clicked, this, &TwainScanDialog::reject);
    connect(m_worker.get(), &ScanWorker::sourceOpened, this, &TwainScanDialog::OnSourceOpened);
    connect(m_worker.get(), &ScanWorker::scanFinished, this, &TwainScanDialog::OnScanFinished);
    m_worker->OpenSource(source);
}

TwainScanDialog::~TwainScanDialog() { CloseConnection(); }

DeviceOptionsDialog* TwainScanDialog::SourceInterface() const { return m_options.data(); }

void TwainScanDialog::OnSourceOpened(bool opened, const ScanWorker::Options& options)
{
    if (!opened) {
        reject();  // no source: the scan ends at once, as the source manager's would
        return;
    }
    m_options = new DeviceOptionsDialog(options, this);
    ScanWorker* worker = m_worker.get();
    connect(m_options, &DeviceOptionsDialog::scanRequested, this,
            [this, worker](const ScanWorker::Settings& settings, bool preview) {
                m_transferCancelled = false;
                m_options->SetScanning(true);
                worker->Scan(settings, preview);
            });
    connect(m_options, &DeviceOptionsDialog::cancelRequested, this, [this, worker] {
        // An image that was already on its way when Cancel was pressed is dropped too.
        m_transferCancelled = true;
        worker->CancelScan();
    });
    connect(worker, &ScanWorker::scanProgress, m_options, &DeviceOptionsDialog::SetProgress);
    // Closing the source's own window is the source asking to be closed.
    connect(m_options, &QDialog::finished, this, [this] {
        if (!m_ending) reject();
    });
    m_options->show();
    Q_EMIT sourceEnabled();
}

void TwainScanDialog::OnScanFinished(int status, bool preview, const std::vector<std::uint8_t>& dib)
{
    if (!m_options || m_ending) return;
    m_options->SetScanning(false);
    if (status == SANE_STATUS_CANCELLED || m_transferCancelled) {
        reject();  // a transfer the user cancelled ends the scan
        return;
    }
    if (preview) {
        m_options->ShowPreview(dib);
        Q_EMIT imageHandled();
        return;
    }
    Picture picture;
    if (status != SANE_STATUS_GOOD || !picture.LoadFromDib(dib)) {
        m_host.prompter.Message(kRetrieveFailed);
        Q_EMIT imageHandled();
        return;
    }
    // The source waits while the photo dialog runs, so its window takes no input.
    m_options->setEnabled(false);
    {
        DialogGuard<PhotoInfoDialog> dialog(m_host, &picture, std::string(), nullptr, this);
        m_host.dialogs.Run(*dialog.get());
    }
    if (m_options) m_options->setEnabled(true);
    Q_EMIT imageHandled();
}

void TwainScanDialog::CloseConnection()
{
    m_ending = true;
    if (m_worker) m_worker->CancelScan();
    if (m_options) {
        m_options->close();
        // Deferred: this may run inside the options dialog's own close.
        m_options->deleteLater();
        m_options = nullptr;
    }
    m_worker.reset();  // disables and closes the device and ends SANE, on its thread
}

void TwainScanDialog::reject()
{
    CloseConnection();
    QDialog::reject();
}
