#pragma once

#include "ui/scan/ScanSource.h"

#include <QObject>
#include <QThread>

#include <cstdint>
#include <memory>
#include <vector>

class SaneConnection;

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
    // Takes the connection down and waits for the thread, but never longer than
    // kCloseDeadlineMs, which holds the window: a driver stuck inside a SANE call is
    // left behind on its thread, holding SANE, and the next session gives up after its
    // own wait (on the worker's thread) instead of waiting on it.
    ~ScanWorker() override;
    static constexpr int kCloseDeadlineMs = 3000;

    // Asked from the interface thread; answered by the signals below.
    void ListDevices();
    void OpenSource(const ScanSource& source);
    void Scan(const Settings& settings, bool preview);
    // Stops a running scan at its next read; safe from any thread.
    void CancelScan();

Q_SIGNALS:
    // initialised is false when SANE itself could not be started.
    void devicesListed(bool initialised, const std::vector<ScanSource>& devices);
    void sourceOpened(bool opened, const ScanWorker::Options& options);
    void scanProgress(int percent);
    // status is a SANE_Status; dib is empty unless it is SANE_STATUS_GOOD.
    void scanFinished(int status, bool preview, const std::vector<std::uint8_t>& dib);

private:
    // Declared in this order so the connection goes before its thread.
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<SaneConnection> m_connection;  // lives on m_thread
};
