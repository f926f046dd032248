#include "ui/scan/SaneConnection.h"

#include "ui/scan/SaneDevice.h"
#include "ui/scan/SaneSession.h"

namespace {

// A preview is a quick look at the whole bed, so it is taken at the lowest resolution.
constexpr double kPreviewResolution = 25;

}  // namespace

SaneConnection::SaneConnection() = default;

SaneConnection::~SaneConnection() = default;

void SaneConnection::List()
{
    if (!m_session) m_session = std::make_unique<SaneSession>();
    const bool initialised = m_session->IsOpen();
    const std::vector<ScanSource> devices = m_session->Devices();
    // Discovery alone leaves nothing open: the Select Source dialog ends here.
    if (!m_device) m_session.reset();
    Q_EMIT devicesListed(initialised, devices);
}

void SaneConnection::Open(const ScanSource& source)
{
    if (!m_session) m_session = std::make_unique<SaneSession>();
    if (!m_device) m_device = m_session->Open(source);
    ScanWorker::Options options;
    if (m_device) {
        options.modes = m_device->Choices("mode");
        options.mode = m_device->Text("mode").value_or("");
        options.resolutions = m_device->Values("resolution");
        if (options.resolutions.empty()) {
            if (const auto range = m_device->Range("resolution")) {
                options.resolutions = {range->first, range->second};
                options.resolutionIsRange = true;
            }
        }
        options.resolution = m_device->Number("resolution").value_or(0);
        if (const auto x = m_device->Range("br-x")) options.maxX = x->second;
        if (const auto y = m_device->Range("br-y")) options.maxY = y->second;
        options.left = m_device->Number("tl-x").value_or(0);
        options.top = m_device->Number("tl-y").value_or(0);
        options.right = m_device->Number("br-x").value_or(0);
        options.bottom = m_device->Number("br-y").value_or(0);
    }
    Q_EMIT sourceOpened(m_device != nullptr, options);
}

void SaneConnection::Scan(const ScanWorker::Settings& settings, bool preview)
{
    if (!m_device) {
        Q_EMIT scanFinished(SANE_STATUS_INVAL, preview, {});
        return;
    }
    // Options a device lacks are skipped; the device scans with its own values.
    if (!settings.mode.empty()) m_device->SetText("mode", settings.mode);
    m_device->SetNumber("resolution", preview ? kPreviewResolution : settings.resolution);
    if (preview) {
        m_device->SetNumber("tl-x", 0);
        m_device->SetNumber("tl-y", 0);
        if (const auto x = m_device->Range("br-x")) m_device->SetNumber("br-x", x->second);
        if (const auto y = m_device->Range("br-y")) m_device->SetNumber("br-y", y->second);
    } else if (settings.right > settings.left && settings.bottom > settings.top) {
        m_device->SetNumber("tl-x", settings.left);
        m_device->SetNumber("tl-y", settings.top);
        m_device->SetNumber("br-x", settings.right);
        m_device->SetNumber("br-y", settings.bottom);
    }
    const SaneDevice::Frame frame =
        m_device->Scan(m_cancel, [this](int percent) { Q_EMIT scanProgress(percent); });
    Q_EMIT scanFinished(frame.status, preview, frame.dib);
}

void SaneConnection::Close()
{
    m_device.reset();
    m_session.reset();
}
