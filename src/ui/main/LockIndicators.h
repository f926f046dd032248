#pragma once

#include <QObject>

#include <array>
#include <optional>

class QLabel;
class QStatusBar;

// The caps-lock, num-lock and scroll-lock panes of the status bar. Qt does not
// report lock states, so they are asked of the X server where there is one; on
// other platforms (Wayland, offscreen) the panes stay empty.
class LockIndicators : public QObject {
    Q_OBJECT
public:
    explicit LockIndicators(QStatusBar& statusBar);

    // Shows "CAP", "NUM" and "SCRL" for the locks that are on.
    void Refresh();
    bool IsAvailable() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Bit 0 caps, bit 1 num, bit 2 scroll; nothing when the platform cannot tell.
    static std::optional<unsigned> QueryState();

    std::array<QLabel*, 3> m_panes{};
};
