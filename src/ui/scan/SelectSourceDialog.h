#pragma once

#include "ui/scan/ScanSource.h"

#include <QDialog>

#include <vector>

class QDialogButtonBox;
class QLabel;
class QListWidget;
class ScanWorker;

// "Select Source": the SANE devices, searched for on the worker thread while the
// dialog is already up, with the current source (or else the first) preselected.
class SelectSourceDialog : public QDialog {
    Q_OBJECT
public:
    SelectSourceDialog(ScanWorker& worker, const ScanSource& current, QWidget* parent = nullptr);

    // The chosen source once accepted.
    ScanSource Chosen() const;
    // True when SANE could not be started; the dialog then ends by itself.
    bool Failed() const { return m_failed; }

Q_SIGNALS:
    void devicesShown();

private:
    void ShowDevices(bool initialised, const std::vector<ScanSource>& devices);

    ScanSource m_current;
    std::vector<ScanSource> m_devices;
    bool m_failed = false;
    QLabel* m_status;
    QListWidget* m_list;
    QDialogButtonBox* m_buttons;
};
