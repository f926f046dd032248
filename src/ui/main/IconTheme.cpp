#include "ui/main/IconTheme.h"

#include <QIcon>

void IconTheme::Ensure()
{
    QIcon::setFallbackThemeName(QStringLiteral("breeze"));
    if (!QIcon::hasThemeIcon(QStringLiteral("document-open"))) {
        QIcon::setThemeName(QStringLiteral("breeze"));
    }
}
