#include "ui/main/LockIndicators.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QStatusBar>

#include <QtGui/qguiapplication_platform.h>

namespace {

constexpr std::array<const char*, 3> kTexts = {"CAP", "NUM", "SCRL"};
// An empty pane has no text for a screen reader to read, so each is named after its key.
constexpr std::array<const char*, 3> kKeyNames = {"Caps Lock", "Num Lock", "Scroll Lock"};

}  // namespace

LockIndicators::LockIndicators(QStatusBar& statusBar) : QObject(&statusBar)
{
    for (size_t index = 0; index < m_panes.size(); ++index) {
        auto* pane = new QLabel(&statusBar);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        pane->setObjectName(QString::fromLatin1(kTexts[index]));
        pane->setAccessibleName(QString::fromLatin1(kKeyNames[index]));
        pane->setAccessibleDescription(QStringLiteral("Not known here"));
        statusBar.addPermanentWidget(pane);
        m_panes[index] = pane;
    }
    if (IsAvailable()) {
        QGuiApplication::instance()->installEventFilter(this);
        Refresh();
    }
}

bool LockIndicators::IsAvailable() const
{
    return QueryState().has_value();
}

void LockIndicators::Refresh()
{
    const unsigned state = QueryState().value_or(0);
    for (size_t index = 0; index < m_panes.size(); ++index) {
        const bool on = (state & (1u << index)) != 0;
        m_panes[index]->setText(on ? QString::fromLatin1(kTexts[index]) : QString());
        m_panes[index]->setAccessibleDescription(on ? QStringLiteral("On") : QStringLiteral("Off"));
    }
}

bool LockIndicators::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyRelease || type == QEvent::ApplicationStateChange) Refresh();
    return QObject::eventFilter(watched, event);
}

// Xlib's macros (KeyRelease, Status, ...) clash with Qt's names, so its header comes
// after every use of those names.
#ifdef QUILLERY_HAVE_X11
#include <X11/XKBlib.h>
#endif

std::optional<unsigned> LockIndicators::QueryState()
{
#ifdef QUILLERY_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 == nullptr || x11->display() == nullptr) return std::nullopt;
    unsigned state = 0;
    if (XkbGetIndicatorState(x11->display(), XkbUseCoreKbd, &state) != Success) return std::nullopt;
    return state & 0x7u;
#else
    return std::nullopt;
#endif
}
