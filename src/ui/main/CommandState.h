#pragma once

#include <QObject>

// The state the command groups share beyond the library: whether a picture show
// runs. The enabling rules follow its announcements.
class CommandState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    bool IsPictureShowRunning() const { return m_pictureShowRunning; }
    void SetPictureShowRunning(bool running)
    {
        if (running == m_pictureShowRunning) return;
        m_pictureShowRunning = running;
        Q_EMIT changed();
    }

Q_SIGNALS:
    void changed();

private:
    bool m_pictureShowRunning = false;
};
