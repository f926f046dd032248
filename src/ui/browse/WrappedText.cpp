#include "ui/browse/WrappedText.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

const QChar kEllipsis(0x2026);

// The longest start of the word that fits the width; at least one character, so a
// line always moves on.
qsizetype FittingPrefix(const QString& word, const QFontMetrics& metrics, int width)
{
    qsizetype low = 1;
    qsizetype high = word.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(word.left(middle)) <= width) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

// Lays out words line by line until maxLines + 1 lines exist (one more than shown,
// to know that the text goes on).
class LineBreaker {
public:
    LineBreaker(const QFontMetrics& metrics, int width, int maxLines)
        : m_metrics(metrics), m_width(width), m_limit(static_cast<size_t>(maxLines) + 1)
    {
    }

    bool Full() const { return m_lines.size() >= m_limit; }

    void AddWord(QString word)
    {
        if (Full()) return;
        const QString joined = m_current.isEmpty() ? word : m_current + u' ' + word;
        if (m_metrics.horizontalAdvance(joined) <= m_width) {
            m_current = joined;
            m_hasCurrent = true;
            return;
        }
        if (m_hasCurrent) EndLine();
        while (!Full() && m_metrics.horizontalAdvance(word) > m_width) {
            const qsizetype cut = FittingPrefix(word, m_metrics, m_width);
            m_current = word.left(cut);
            EndLine();
            word = word.mid(cut);
        }
        if (word.isEmpty()) return;
        m_current = word;
        m_hasCurrent = true;
    }

    void EndParagraph()
    {
        if (!Full()) EndLine();
    }

    std::vector<QString> Take() { return std::move(m_lines); }

private:
    void EndLine()
    {
        m_lines.push_back(m_current);
        m_current.clear();
        m_hasCurrent = false;
    }

    const QFontMetrics& m_metrics;
    const int m_width;
    const size_t m_limit;
    std::vector<QString> m_lines;
    QString m_current;
    bool m_hasCurrent = false;
};

} // namespace

WrappedText::Layout WrappedText::Lines(const QString& text, const QFontMetrics& metrics, int width,
                                       int maxLines)
{
    LineBreaker breaker(metrics, std::max(1, width), std::max(1, maxLines));
    // Only as much text is looked at as could ever be shown: every character takes at
    // least a pixel of a line and every line break a line.
    const qsizetype limit =
        2 * (static_cast<qsizetype>(maxLines) + 1) * (static_cast<qsizetype>(width) + 2) + 16;
    QString word;
    for (qsizetype i = 0; i < text.size() && i < limit && !breaker.Full(); ++i) {
        const QChar c = text[i];
        if (c == u' ') {
            breaker.AddWord(std::exchange(word, QString()));
        } else if (c == u'\r' || c == u'\n') {
            // CR LF, LF and a lone CR each end a line.
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
            breaker.AddWord(std::exchange(word, QString()));
            breaker.EndParagraph();
        } else {
            word.append(c);
        }
    }
    if (!breaker.Full() && !word.isEmpty()) breaker.AddWord(word);
    breaker.EndParagraph();

    Layout layout;
    layout.lines = breaker.Take();
    // A last empty line stands for nothing shown.
    while (!layout.lines.empty() && layout.lines.back().isEmpty() &&
           static_cast<int>(layout.lines.size()) <= maxLines) {
        layout.lines.pop_back();
    }
    if (static_cast<int>(layout.lines.size()) > maxLines) {
        layout.lines.resize(static_cast<size_t>(maxLines));
        layout.more = true;
    }
    return layout;
}

void WrappedText::Draw(QPainter& painter, const QRect& rect, const QString& text,
                       Qt::Alignment horizontal)
{
    if (rect.width() <= 0 || rect.height() <= 0 || text.isEmpty()) return;
    const QFontMetrics metrics(painter.font());
    const int lineHeight = std::max(1, metrics.lineSpacing());
    // The first line shows even when the rectangle is lower than a line (clipped).
    const int maxLines = std::max(1, rect.height() / lineHeight);
    Layout layout = Lines(text, metrics, rect.width(), maxLines);
    if (layout.more && !layout.lines.empty()) {
        QString& last = layout.lines.back();
        last = metrics.horizontalAdvance(last + kEllipsis) <= rect.width()
                   ? last + kEllipsis
                   : metrics.elidedText(last + kEllipsis + kEllipsis, Qt::ElideRight, rect.width());
    }
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    const int flags = static_cast<int>(horizontal | Qt::AlignTop | Qt::TextSingleLine);
    for (size_t i = 0; i < layout.lines.size(); ++i) {
        const QRect lineRect(rect.left(), rect.top() + static_cast<int>(i) * lineHeight,
                             rect.width(), lineHeight);
        painter.drawText(lineRect, flags, layout.lines[i]);
    }
    painter.restore();
}
