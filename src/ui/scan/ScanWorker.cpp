#include "ui/scan/ScanWorker.h"

#include "ui/scan/SaneConnection.h"

#include <QDeadlineTimer>
#include <QMetaObject>

ScanWorker::ScanWorker() : m_thread(std::make_unique<QThread>()), m_connection(std::make_unique<SaneConnection>())
{
    qRegisterMetaType<std::vector<ScanSource>>();
    qRegisterMetaType<ScanWorker::Options>();
    qRegisterMetaType<std::vector<std::uint8_t>>();
    m_connection->moveToThread(m_thread.get());
    // Signal to signal: the answers cross to this thread, and stop at once when this
    // object is gone even if the connection's thread is not.
    connect(m_connection.get(), &SaneConnection::devicesListed, this, &ScanWorker::devicesListed);
    connect(m_connection.get(), &SaneConnection::sourceOpened, this, &ScanWorker::sourceOpened);
    connect(m_connection.get(), &SaneConnection::scanProgress, this, &ScanWorker::scanProgress);
    connect(m_connection.get(), &SaneConnection::scanFinished, this, &ScanWorker::scanFinished);
    m_thread->start();
}

ScanWorker::~ScanWorker()
{
    SaneConnection* connection = m_connection.get();
    connection->SetCancelled(true);
    // Closing and quitting in one request, so the loop cannot end with the close
    // still queued behind it.
    QMetaObject::invokeMethod(connection, [connection] {
        connection->Close();
        QThread::currentThread()->quit();
    }, Qt::QueuedConnection);
    if (m_thread->wait(QDeadlineTimer(kCloseDeadlineMs))) return;
    // The thread is inside a SANE call that does not return. Both are let go on
    // purpose: deleting a running QThread aborts, and the stuck call still uses the
    // connection. Should the call ever come back, they clean up after themselves.
    QThread* thread = m_thread.release();
    connection = m_connection.release();
    connect(thread, &QThread::finished, connection, &QObject::deleteLater);
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
}

void ScanWorker::ListDevices()
{
    SaneConnection* connection = m_connection.get();
    QMetaObject::invokeMethod(connection, [connection] { connection->List(); }, Qt::QueuedConnection);
}

void ScanWorker::OpenSource(const ScanSource& source)
{
    SaneConnection* connection = m_connection.get();
    QMetaObject::invokeMethod(connection, [connection, source] { connection->Open(source); },
                              Qt::QueuedConnection);
}

void ScanWorker::Scan(const Settings& settings, bool preview)
{
    SaneConnection* connection = m_connection.get();
    connection->SetCancelled(false);
    QMetaObject::invokeMethod(connection, [connection, settings, preview] { connection->Scan(settings, preview); },
                              Qt::QueuedConnection);
}

void ScanWorker::CancelScan() { m_connection->SetCancelled(true); }
