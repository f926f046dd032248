#pragma once

#include "store/TransferHost.h"

#include <QElapsedTimer>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <memory>

class QProgressDialog;
class QWidget;

// The program's host for export and import. Each file is copied on a worker thread
// while the command's thread (the interface thread, which alone changes the catalog)
// runs an event loop, so the window keeps painting. Once copying has run for
// `delay`, a progress dialog with a Cancel button comes up; until then input is held
// back, so no other command can start while the catalog is half merged. The progress
// text goes into the status bar's first pane as well.
class CopyProgress : public TransferHost {
  public:
    explicit CopyProgress(QWidget& window, QString title,
                          std::chrono::milliseconds delay = std::chrono::milliseconds(500));
    ~CopyProgress() override;
    CopyProgress(const CopyProgress&) = delete;
    CopyProgress& operator=(const CopyProgress&) = delete;

    void ShowProgress(const std::string& text, int index, int count) override;
    void ClearProgress() override;
    CopyResult RunCopy(const Copy& copy) override;

    // The dialog once it is up, else null.
    QProgressDialog* Dialog() const { return m_dialog.get(); }

  private:
    void ShowDialog();

    QWidget& m_window;
    QString m_title;
    std::chrono::milliseconds m_delay;
    QElapsedTimer m_clock;
    QString m_text;
    int m_index = 0;
    int m_count = 0;
    std::unique_ptr<QProgressDialog> m_dialog;
    std::atomic<bool> m_cancel{false};
    QThreadPool m_worker;
};
