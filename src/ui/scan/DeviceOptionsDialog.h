#pragma once

#include "ui/scan/ScanWorker.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;

// The source's own interface: the device's mode, resolution and scan area, a preview
// of the whole bed, "Scan", and while a scan runs its progress and a Cancel. Closing
// it is the source asking to be closed.
class DeviceOptionsDialog : public QDialog {
    Q_OBJECT
public:
    DeviceOptionsDialog(const ScanWorker::Options& options, QWidget* parent = nullptr);

    ScanWorker::Settings CurrentSettings() const;
    // While a scan runs the options are locked and Cancel stops the scan.
    void SetScanning(bool scanning);
    void SetProgress(int percent);
    void ShowPreview(const std::vector<std::uint8_t>& dib);

Q_SIGNALS:
    void scanRequested(const ScanWorker::Settings& settings, bool preview);
    void cancelRequested();

private:
    QComboBox* m_mode;
    QComboBox* m_resolution;
    QDoubleSpinBox* m_left;
    QDoubleSpinBox* m_top;
    QDoubleSpinBox* m_right;
    QDoubleSpinBox* m_bottom;
    QLabel* m_preview;
    QProgressBar* m_progress;
    QPushButton* m_previewButton;
    QPushButton* m_scanButton;
    QPushButton* m_cancelButton;
};
