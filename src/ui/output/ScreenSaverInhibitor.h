#pragma once

#include <QDBusConnection>
#include <QString>

#include <memory>

// Holds the screen saver and the power saving of the screen off for as long as it
// lives, through the freedesktop screen-saver service on the session bus. Where no
// such service runs it holds nothing and says nothing. The calls never wait for the
// bus: the service's answer comes in while the program goes on, and a hold granted
// after its holder went is given back at once.
class ScreenSaverInhibitor {
  public:
    explicit ScreenSaverInhibitor(const QString& reason,
                                  QDBusConnection bus = QDBusConnection::sessionBus());
    ~ScreenSaverInhibitor();
    ScreenSaverInhibitor(const ScreenSaverInhibitor&) = delete;
    ScreenSaverInhibitor& operator=(const ScreenSaverInhibitor&) = delete;

    // True once the service granted the hold.
    bool IsHolding() const;

    static constexpr const char* kService = "org.freedesktop.ScreenSaver";
    static constexpr const char* kPath = "/org/freedesktop/ScreenSaver";
    static constexpr const char* kInterface = "org.freedesktop.ScreenSaver";

  private:
    // Shared with the pending call, which may answer after this object went.
    struct Hold;
    std::shared_ptr<Hold> m_hold;
};
