#include "ui/main/CopyProgress.h"

#include "ui/common/ByteText.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTimer>
#include <QWidget>

#include <algorithm>

CopyProgress::CopyProgress(QWidget& window, QString title, std::chrono::milliseconds delay)
    : m_window(window), m_title(std::move(title)), m_delay(delay)
{
    m_worker.setMaxThreadCount(1);
}

CopyProgress::~CopyProgress()
{
    m_worker.waitForDone();
}

void CopyProgress::ShowProgress(const std::string& text, int index, int count)
{
    m_text = ByteText::ToDisplay(text);
    m_index = index;
    m_count = count;
    if (auto* bar = m_window.findChild<QStatusBar*>()) bar->showMessage(m_text);
    if (m_dialog) {
        m_dialog->setLabelText(m_text);
        m_dialog->setMaximum(count);
        m_dialog->setValue(index);
    }
}

void CopyProgress::ClearProgress()
{
    if (auto* bar = m_window.findChild<QStatusBar*>()) bar->clearMessage();
}

void CopyProgress::ShowDialog()
{
    if (m_dialog) return;
    // Made only now: a QProgressDialog shows itself on a timer of its own.
    m_dialog =
        std::make_unique<QProgressDialog>(m_text, QStringLiteral("Cancel"), 0, m_count, &m_window);
    m_dialog->setWindowTitle(m_title);
    m_dialog->setAccessibleName(m_title);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setValue(m_index);
    QObject::connect(m_dialog.get(), &QProgressDialog::canceled, m_dialog.get(),
                     [this] { m_cancel.store(true); });
    m_dialog->show();
}

TransferHost::CopyResult CopyProgress::RunCopy(const Copy& copy)
{
    if (!m_clock.isValid()) m_clock.start();
    QEventLoop loop;
    std::atomic<bool> done{false};
    CopyResult result = CopyResult::Failed;
    m_worker.start([&] {
        result = copy(m_cancel);
        done.store(true);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QTimer dialogTimer;
    dialogTimer.setSingleShot(true);
    QObject::connect(&dialogTimer, &QTimer::timeout, &loop, [&] {
        ShowDialog();
        // Leaves the loop that holds input back; the next one lets the Cancel through.
        loop.quit();
    });
    if (!m_dialog) {
        const auto left = m_delay.count() - m_clock.elapsed();
        dialogTimer.start(static_cast<int>(std::max<qint64>(0, left)));
    }
    while (!done.load()) {
        loop.exec(m_dialog ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    }
    // The worker may still be leaving the task; nothing it touches may go before.
    m_worker.waitForDone();
    return result;
}
