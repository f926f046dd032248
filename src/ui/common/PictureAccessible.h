#pragma once

#include <QAccessibleWidget>

// What assistive technology is told about a widget that paints a picture itself
// (rather than through a label): that it is an image, with the widget's accessible
// name and description.
class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(QWidget* widget);

    // Marks the widget as showing a picture; call in its constructor, before anything
    // asks for its accessible interface, which is made once and kept.
    static void Mark(QWidget* widget);
};
