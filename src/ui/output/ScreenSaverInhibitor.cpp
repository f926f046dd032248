#include "ui/output/ScreenSaverInhibitor.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <optional>

struct ScreenSaverInhibitor::Hold {
    QDBusConnection bus;
    std::optional<uint> cookie;
    bool released = false;

    void Release()
    {
        released = true;
        if (!cookie) return;
        bus.send(
            QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("UnInhibit"))
            << *cookie);
        cookie.reset();
    }
};

ScreenSaverInhibitor::ScreenSaverInhibitor(const QString& reason, QDBusConnection bus)
    : m_hold(std::make_shared<Hold>(Hold{bus, std::nullopt}))
{
    if (!bus.isConnected() || bus.interface() == nullptr) return;
    QDBusMessage inhibit =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Inhibit"));
    inhibit << QCoreApplication::applicationName() << reason;
    // Asked without waiting: a missing service answers with an error, which holds nothing.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(inhibit));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [hold = m_hold](QDBusPendingCallWatcher* call) {
                         const QDBusPendingReply<uint> reply = *call;
                         if (reply.isValid()) {
                             hold->cookie = reply.value();
                             if (hold->released) hold->Release();
                         }
                         call->deleteLater();
                     });
}

ScreenSaverInhibitor::~ScreenSaverInhibitor()
{
    m_hold->Release();
}

bool ScreenSaverInhibitor::IsHolding() const
{
    return m_hold->cookie.has_value();
}
