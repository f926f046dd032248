#include "ui/main/IconTheme.h"

#include <QIcon>
#include <QStandardPaths>

void IconTheme::Ensure()
{
    // Without a desktop's platform theme (offscreen, a bare X server) Qt looks for
    // themes only in its resources; the system's themes live in the XDG data folders.
    QStringList searchPaths = QIcon::themeSearchPaths();
    const QStringList systemPaths = QStandardPaths::locateAll(
        QStandardPaths::GenericDataLocation, QStringLiteral("icons"), QStandardPaths::LocateDirectory);
    for (const QString& path : systemPaths) {
        if (!searchPaths.contains(path)) searchPaths.append(path);
    }
    QIcon::setThemeSearchPaths(searchPaths);

    QIcon::setFallbackThemeName(QStringLiteral("breeze"));
    if (!QIcon::hasThemeIcon(QStringLiteral("document-open"))) {
        QIcon::setThemeName(QStringLiteral("breeze"));
    }
}
