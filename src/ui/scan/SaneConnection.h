#pragma once

#include "ui/scan/ScanSource.h"
#include "ui/scan/ScanWorker.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class SaneDevice;
class SaneSession;

// The worker-thread side of a scan: owns the SANE session and the open device and
// makes every SANE call. It lives on a thread of its own, so a driver that never comes
// back (some do) holds that thread and never the window; ScanWorker is its face on the
// interface thread.
class SaneConnection : public QObject {
    Q_OBJECT
public:
    SaneConnection();
    ~SaneConnection() override;

    // Requests, run on the connection's thread; answered by the signals below.
    void List();
    void Open(const ScanSource& source);
    void Scan(const ScanWorker::Settings& settings, bool preview);
    void Close();
    // Looked at between reads of a running scan; safe from any thread.
    void SetCancelled(bool cancelled) { m_cancel = cancelled; }

Q_SIGNALS:
    void devicesListed(bool initialised, const std::vector<ScanSource>& devices);
    void sourceOpened(bool opened, const ScanWorker::Options& options);
    void scanProgress(int percent);
    void scanFinished(int status, bool preview, const std::vector<std::uint8_t>& dib);

private:
    std::unique_ptr<SaneSession> m_session;
    std::unique_ptr<SaneDevice> m_device;
    std::atomic<bool> m_cancel = false;
};
