#pragma once

#include <QRect>
#include <QString>

#include <vector>

class QFontMetrics;
class QPainter;

// Draws text word-wrapped into a rectangle, top first, as the list's cells are drawn:
// lines break at blanks and at the text's own line breaks, a word wider than the
// rectangle is broken where it must, and when the text goes on past the last line
// that fits, that line ends with an ellipsis. Texts of any length are drawn as far
// as the rectangle shows them.
class WrappedText {
public:
    static void Draw(QPainter& painter, const QRect& rect, const QString& text,
                     Qt::Alignment horizontal);

    struct Layout {
        std::vector<QString> lines;
        // The text went on past the last line.
        bool more = false;
    };
    // The lines shown in a rectangle of that width holding at most maxLines lines.
    static Layout Lines(const QString& text, const QFontMetrics& metrics, int width, int maxLines);
};
