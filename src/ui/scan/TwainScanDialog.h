#pragma once

#include "ui/dialogs/PhotoDialogHost.h"
#include "ui/scan/ScanSource.h"
#include "ui/scan/ScanWorker.h"

#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <memory>
#include <vector>

class DeviceOptionsDialog;
class QPushButton;

// The scan window: only "Cancel Scanner", while the source's interface (the device
// options dialog) is up beside it. Every image scanned goes to the photo dialog in add
// mode; the scan ends when the options dialog is closed, a scan is cancelled, the
// source cannot be opened, or "Cancel Scanner" is pressed, and every end takes the
// SANE connection down before the window closes.
class TwainScanDialog : public QDialog {
    Q_OBJECT
public:
    TwainScanDialog(const PhotoDialogHost& host, const ScanSource& source, QWidget* parent = nullptr);
    ~TwainScanDialog() override;

    // The source's interface once the source is open (null before and after).
    DeviceOptionsDialog* SourceInterface() const;
    // Whether the SANE connection is still up.
    bool ConnectionOpen() const { return m_worker != nullptr; }

    void reject() override;  // "Cancel Scanner" and every other end of the scan

Q_SIGNALS:
    // The options are up and waiting for the user (the source is enabled).
    void sourceEnabled();
    // One scan has been handled (photo dialog run, or its failure shown).
    void imageHandled();

private:
    void OnSourceOpened(bool opened, const ScanWorker::Options& options);
    void OnScanFinished(int status, bool preview, const std::vector<std::uint8_t>& dib);
    void CloseConnection();

    PhotoDialogHost m_host;
    std::unique_ptr<ScanWorker> m_worker;
    QPointer<DeviceOptionsDialog> m_options;
    QPushButton* m_cancel;
    bool m_ending = false;
    bool m_transferCancelled = false;
};
