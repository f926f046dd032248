#include "ui/common/PictureAccessible.h"

#include <QVariant>
#include <QWidget>

namespace {

constexpr const char* kMarker = "quilleryShowsPicture";

// Qt owns the interfaces its factories make and drops them with their widgets.
QAccessibleInterface* MakeInterface(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->property(kMarker).toBool()) return nullptr;
    return new PictureAccessible(widget);
}

}  // namespace

PictureAccessible::PictureAccessible(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Graphic) {}

void PictureAccessible::Mark(QWidget* widget)
{
    static const bool installed = (QAccessible::installFactory(&MakeInterface), true);
    static_cast<void>(installed);
    widget->setProperty(kMarker, true);
}
