#pragma once

#include <QRect>
#include <QString>

class QPainter;

// Draws text word-wrapped into a rectangle, top first; when the text goes on past the
// last line that fits, that line ends with an ellipsis. Line breaks in the text break
// lines. Texts of any length are drawn as far as the rectangle shows them.
class WrappedText {
public:
    static void Draw(QPainter& painter, const QRect& rect, const QString& text,
                     Qt::Alignment horizontal);
    // The text prepared for layout: CR LF and LF become line separators, a lone CR a
    // blank, and only as much is kept as a rectangle of that size could ever show.
    static QString Prepared(const QString& text, const QRect& rect, int lineHeight);
};
