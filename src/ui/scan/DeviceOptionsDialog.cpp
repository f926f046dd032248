#include "ui/scan/DeviceOptionsDialog.h"

#include "imaging/Picture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr int kPreviewSide = 200;
// A range of resolutions is offered as the usual steps that lie within it.
constexpr double kCommonResolutions[] = {50, 75, 100, 150, 200, 300, 600, 1200};

QDoubleSpinBox* AreaBox(double max, double value, const QString& name, QWidget* parent)
{
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0, max);
    box->setDecimals(1);
    box->setSuffix(QObject::tr(" mm"));
    box->setValue(value);
    box->setAccessibleName(name);
    return box;
}

}  // namespace

DeviceOptionsDialog::DeviceOptionsDialog(const ScanWorker::Options& options, QWidget* parent)
    : QDialog(parent),
      m_mode(new QComboBox(this)),
      m_resolution(new QComboBox(this)),
      m_left(AreaBox(options.maxX, options.left, tr("Left"), this)),
      m_top(AreaBox(options.maxY, options.top, tr("Top"), this)),
      m_right(AreaBox(options.maxX, options.right, tr("Right"), this)),
      m_bottom(AreaBox(options.maxY, options.bottom, tr("Bottom"), this)),
      m_preview(new QLabel(this)),
      m_progress(new QProgressBar(this)),
      m_previewButton(new QPushButton(tr("&Preview"), this)),
      m_scanButton(new QPushButton(tr("&Scan"), this)),
      m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("Scanner Options"));
    setAccessibleName(tr("Scanner Options"));
    for (const std::string& mode : options.modes) m_mode->addItem(QString::fromStdString(mode));
    m_mode->setCurrentText(QString::fromStdString(options.mode));
    m_mode->setAccessibleName(tr("Mode"));

    std::vector<double> resolutions = options.resolutions;
    if (options.resolutionIsRange && resolutions.size() == 2) {
        const double low = resolutions[0];
        const double high = resolutions[1];
        resolutions.clear();
        for (const double r : kCommonResolutions) {
            if (r >= low && r <= high) resolutions.push_back(r);
        }
    }
    for (const double r : resolutions) m_resolution->addItem(QString::number(r), r);
    const int current = m_resolution->findData(options.resolution);
    m_resolution->setCurrentIndex(current >= 0 ? current : 0);
    m_resolution->setAccessibleName(tr("Resolution"));

    m_preview->setFixedSize(kPreviewSide, kPreviewSide);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setAccessibleName(tr("Preview"));
    m_preview->setAccessibleDescription(tr("The whole bed of the scanner at a low resolution"));
    m_progress->setAccessibleName(tr("Scan progress"));
    m_progress->setRange(0, 100);
    m_progress->setVisible(false);
    m_cancelButton->setEnabled(false);
    m_scanButton->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(tr("&Mode:"), m_mode);
    form->addRow(tr("&Resolution (dpi):"), m_resolution);
    form->addRow(tr("&Left:"), m_left);
    form->addRow(tr("&Top:"), m_top);
    form->addRow(tr("Ri&ght:"), m_right);
    form->addRow(tr("&Bottom:"), m_bottom);
    auto* top = new QHBoxLayout;
    top->addLayout(form);
    top->addWidget(m_preview);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_previewButton);
    buttons->addStretch();
    buttons->addWidget(m_scanButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);

    connect(m_previewButton, &QPushButton::clicked, this,
            [this] { Q_EMIT scanRequested(CurrentSettings(), true); });
    connect(m_scanButton, &QPushButton::clicked, this,
            [this] { Q_EMIT scanRequested(CurrentSettings(), false); });
    connect(m_cancelButton, &QPushButton::clicked, this, &DeviceOptionsDialog::cancelRequested);
}

ScanWorker::Settings DeviceOptionsDialog::CurrentSettings() const
{
    ScanWorker::Settings settings;
    settings.mode = m_mode->currentText().toStdString();
    settings.resolution = m_resolution->currentData().toDouble();
    settings.left = m_left->value();
    settings.top = m_top->value();
    settings.right = m_right->value();
    settings.bottom = m_bottom->value();
    return settings;
}

void DeviceOptionsDialog::SetScanning(bool scanning)
{
    for (QWidget* w : std::initializer_list<QWidget*>{m_mode, m_resolution, m_left, m_top, m_right,
                                                       m_bottom, m_previewButton, m_scanButton}) {
        w->setEnabled(!scanning);
    }
    m_cancelButton->setEnabled(scanning);
    m_progress->setVisible(scanning);
    m_progress->setValue(0);
}

void DeviceOptionsDialog::SetProgress(int percent) { m_progress->setValue(percent); }

void DeviceOptionsDialog::ShowPreview(const std::vector<std::uint8_t>& dib)
{
    Picture picture;
    if (!picture.LoadFromDib(dib)) {
        m_preview->clear();
        return;
    }
    m_preview->setPixmap(QPixmap::fromImage(picture.ToBitmap().scaled(
        kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
