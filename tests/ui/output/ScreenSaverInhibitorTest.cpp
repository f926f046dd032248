#include "ui/output/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kDeadline = 5000;

// Stands in for a desktop's screen saver on a bus of the test's own.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
  public:
    static constexpr uint kCookie = 42;

  public Q_SLOTS:
    uint Inhibit(const QString& application, const QString& reason)
    {
        Q_UNUSED(application);
        Q_EMIT inhibited(reason);
        return kCookie;
    }
    void UnInhibit(uint cookie) { Q_EMIT uninhibited(cookie); }

  Q_SIGNALS:
    void inhibited(const QString& reason);
    void uninhibited(uint cookie);
};

class ScreenSaverInhibitorTest : public testing::Test {
  protected:
    void SetUp() override
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted(kDeadline)) GTEST_SKIP() << "no dbus-daemon";
        QTRY_VERIFY_WITH_TIMEOUT(m_daemon.canReadLine(), kDeadline);
        const QString address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        m_client = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(address, QStringLiteral("client")));
        m_service = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(address, QStringLiteral("service")));
        ASSERT_TRUE(m_client->isConnected());
        ASSERT_TRUE(m_service->isConnected());
    }

    void TearDown() override
    {
        m_client.reset();
        m_service.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("client"));
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
        m_daemon.terminate();
        m_daemon.waitForFinished(kDeadline);
    }

    QProcess m_daemon;
    std::unique_ptr<QDBusConnection> m_client;
    std::unique_ptr<QDBusConnection> m_service;
    FakeScreenSaver m_fake;
};

// The hold is given back when its holder goes, also when the holder went before the
// hold was granted.
TEST_F(ScreenSaverInhibitorTest, HoldsTheScreenSaverOffWhileItLives)
{
    ASSERT_TRUE(m_service->registerObject(ScreenSaverInhibitor::kPath, &m_fake,
                                          QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(m_service->registerService(ScreenSaverInhibitor::kService));
    QSignalSpy inhibited(&m_fake, &FakeScreenSaver::inhibited);
    QSignalSpy uninhibited(&m_fake, &FakeScreenSaver::uninhibited);
    {
        ScreenSaverInhibitor inhibitor(QStringLiteral("Picture show"), *m_client);
        ASSERT_TRUE(inhibited.wait(kDeadline));
        EXPECT_EQ(inhibited.at(0).at(0).toString(), QStringLiteral("Picture show"));
        QTRY_VERIFY_WITH_TIMEOUT(inhibitor.IsHolding(), kDeadline);
        EXPECT_EQ(uninhibited.count(), 0);
    }
    ASSERT_TRUE(uninhibited.wait(kDeadline));
    {
        const ScreenSaverInhibitor gone(QStringLiteral("Picture show"), *m_client);
    }
    QTRY_VERIFY_WITH_TIMEOUT(uninhibited.count() == 2, kDeadline);
    for (const QList<QVariant>& arguments : uninhibited)
        EXPECT_EQ(arguments.at(0).toUInt(), FakeScreenSaver::kCookie);
}

} // namespace

#include "ScreenSaverInhibitorTest.moc"
