#pragma once

#include "ui/scan/ScanSource.h"

#include <QObject>
#include <QThread>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

class SaneDevice;
class SaneSession;

// Every SANE call of the program, on a thread of its own: device discovery can take
// seconds on a network and a scan minutes, and neither may freeze the window. The
// requests are queued to the thread; the answers come back as signals, which Qt
// delivers on the interface thread. The SANE states follow the scan's: session open
// (manager open), device open (source open), options shown (source enabled).
class ScanWorker : public QObject {
    Q_OBJECT
public:
    struct Options {
        std::vector<std::string> modes;
        std::string mode;
        std::vector<double> resolutions;  // a list, or the two ends of a range
        bool resolutionIsRange = false;
        double resolution = 0;
        // The scan area in millimetres: its bounds and its current corners.
        double maxX = 0, maxY = 0;
        double left = 0, top = 0, right = 0, bottom = 0;
    };
    struct Settings {
        std::string mode;
        double resolution = 0;
        double left = 0, top = 0, right = 0, bottom = 0;
    };

    ScanWorker();
    ~ScanWorker() override;  // takes the connection down and joins the thread

    // Asked from the interface thread; answered by the signals below.
    void ListDevices();
    void OpenSource(const ScanSource& source);
    void Scan(const Settings& settings, bool preview);
    void CloseConnection();
    // Stops a running scan at its next read; safe from any thread.
    void CancelScan() { m_cancel = true; }

Q_SIGNALS:
    // initialised is false when SANE itself could not be started.
    void devicesListed(bool initialised, const std::vector<ScanSource>& devices);
    void sourceOpened(bool opened, const ScanWorker::Options& options);
    void scanProgress(int percent);
    // status is a SANE_Status; dib is empty unless it is SANE_STATUS_GOOD.
    void scanFinished(int status, bool preview, const std::vector<std::uint8_t>& dib);
    void connectionClosed();

private:
    void DoList();
    void DoOpen(const ScanSource& source);
    void DoScan(const Settings& settings, bool preview);
    void DoClose();

    QThread m_thread;
    QObject m_context;  // lives on m_thread; the queued requests run in its name
    std::unique_ptr<SaneSession> m_session;
    std::unique_ptr<SaneDevice> m_device;
    std::atomic<bool> m_cancel = false;
};
