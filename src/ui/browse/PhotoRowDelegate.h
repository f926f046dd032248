#pragma once

#include <QStyledItemDelegate>

class PhotoList;

// Paints the photo list's cells as its rows are drawn: the current photo's row in
// the highlight colours, other selected rows in a light tint of it, grey cell outlines, the thumbnail on
// navy, word-wrapped text with an ellipsis, the date centred.
class PhotoRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit PhotoRowDelegate(PhotoList* list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // Cells painted since the last reset, for measuring what a scroll repaints.
    long long PaintCount() const { return m_paintCount; }
    void ResetPaintCount() { m_paintCount = 0; }

    // The fill of a selected row that is not the current photo's.
    static QColor SelectedBackground(const QPalette& palette, const QColor& background);

    static const QColor kOutline;
    static const QColor kThumbnailBackground;

private:
    void PaintThumbnail(QPainter& painter, const QRect& cell, int row) const;
    // Draws the row's sharp picture on a scaled screen; false when there is none.
    bool PaintSharpThumbnail(QPainter& painter, const QRect& cell, int row, qreal ratio) const;
    void PaintText(QPainter& painter, const QRect& cell, const QModelIndex& index,
                   const QColor& colour) const;
    void PaintFocus(QPainter& painter, const QRect& cell, int column) const;

    PhotoList* m_list;
    mutable long long m_paintCount = 0;
};
