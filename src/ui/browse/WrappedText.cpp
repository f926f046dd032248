#include "ui/browse/WrappedText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <vector>

QString WrappedText::Prepared(const QString& text, const QRect& rect, int lineHeight)
{
    // Every shown character takes at least a pixel of a line and every line break a
    // line, so twice this many characters always reach past the last visible line.
    const qsizetype lines = rect.height() / std::max(1, lineHeight) + 1;
    const qsizetype limit = 2 * lines * (rect.width() + 2) + 16;
    QString prepared;
    prepared.reserve(std::min(text.size(), limit));
    for (qsizetype i = 0; i < text.size() && prepared.size() < limit; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            const bool pair = i + 1 < text.size() && text[i + 1] == u'\n';
            prepared.append(pair ? QChar(QChar::LineSeparator) : QChar(u' '));
            if (pair) ++i;
        } else if (c == u'\n') {
            prepared.append(QChar(QChar::LineSeparator));
        } else {
            prepared.append(c);
        }
    }
    return prepared;
}

void WrappedText::Draw(QPainter& painter, const QRect& rect, const QString& text,
                       Qt::Alignment horizontal)
{
    if (rect.width() <= 0 || rect.height() <= 0 || text.isEmpty()) return;
    const QFontMetrics metrics(painter.font());
    const QString prepared = Prepared(text, rect, metrics.lineSpacing());

    QTextLayout layout(prepared, painter.font(), painter.device());
    QTextOption option(horizontal);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);

    std::vector<QTextLine> lines;
    bool more = false;
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(rect.width());
        // The first line is drawn even when it is taller than the rectangle (clipped).
        if (!lines.empty() && y + line.height() > rect.height()) {
            more = true;
            break;
        }
        line.setPosition({0, y});
        y += line.height();
        lines.push_back(line);
    }
    layout.endLayout();

    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    const int drawn = static_cast<int>(lines.size()) - (more ? 1 : 0);
    for (int i = 0; i < drawn; ++i) lines[static_cast<size_t>(i)].draw(&painter, rect.topLeft());
    if (more && !lines.empty()) {
        const QTextLine& last = lines.back();
        QString rest = prepared.mid(last.textStart());
        rest.replace(QChar(QChar::LineSeparator), QChar(u' '));
        const QString elided = metrics.elidedText(rest, Qt::ElideRight, rect.width());
        const QRect lineRect(rect.left(), rect.top() + qRound(last.y()), rect.width(),
                             qRound(last.height()));
        painter.drawText(lineRect, static_cast<int>(horizontal | Qt::AlignTop | Qt::TextSingleLine),
                         elided);
    }
    painter.restore();
}
