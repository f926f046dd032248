#include "ui/browse/PhotoRowDelegate.h"

#include "imaging/Picture.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PhotoListModel.h"
#include "ui/common/ByteText.h"
#include "ui/browse/WrappedText.h"

#include <QPainter>

const QColor PhotoRowDelegate::kOutline(224, 224, 224);
const QColor PhotoRowDelegate::kThumbnailBackground(0, 0, 64);

namespace {

// Text keeps clear of the outline by 6 pixels at the sides and 5 at the bottom.
constexpr int kTextMarginSide = 6;
constexpr int kTextMarginBottom = 5;
constexpr int kThumbnailWidth = 150;
constexpr int kThumbnailHeight = 100;

} // namespace

QColor PhotoRowDelegate::SelectedBackground(const QPalette& palette, const QColor& background)
{
    // A third of the highlight over the row's own background: plainly marked, yet
    // never mistaken for the current photo's full highlight, and dark text stays legible.
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    const auto mix = [](int over, int under) { return (over + 2 * under) / 3; };
    return QColor(mix(highlight.red(), background.red()), mix(highlight.green(), background.green()),
                  mix(highlight.blue(), background.blue()));
}

PhotoRowDelegate::PhotoRowDelegate(PhotoList* list) : QStyledItemDelegate(list), m_list(list) {}

void PhotoRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    ++m_paintCount;
    const QRect cell = option.rect;
    const PhotoRecord* photo = m_list->PhotoAtRow(index.row());
    const bool highlighted = photo != nullptr && photo == m_list->CurrentPhoto();
    const bool selected = (option.state & QStyle::State_Selected) != 0;

    painter->save();
    painter->fillRect(cell, highlighted ? option.palette.color(QPalette::Active, QPalette::Highlight)
                            : selected  ? SelectedBackground(option.palette, m_list->m_textBackground)
                                        : m_list->m_textBackground);
    painter->setPen(kOutline);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(cell.adjusted(0, 0, -1, -1));

    if (index.column() == kPictureColumn) {
        PaintThumbnail(*painter, cell, index.row());
    } else {
        const QColor text = highlighted
                                ? option.palette.color(QPalette::Active, QPalette::HighlightedText)
                                : option.palette.color(QPalette::Active, QPalette::Text);
        PaintText(*painter, cell, index, text);
    }
    if (m_list->hasFocus() && index.row() == m_list->currentIndex().row()) {
        PaintFocus(*painter, cell, index.column());
    }
    painter->restore();
}

QSize PhotoRowDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const
{
    return {PhotoListModel::ColumnWidth(index.column()), PhotoList::kRowHeight};
}

void PhotoRowDelegate::PaintThumbnail(QPainter& painter, const QRect& cell, int row) const
{
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    if (ratio > 1.0 && PaintSharpThumbnail(painter, cell, row, ratio)) return;
    const Picture& thumbnail = m_list->ThumbnailForRow(row);
    QPoint at = cell.topLeft();
    if (thumbnail.Width() < cell.width()) at.rx() += (cell.width() - thumbnail.Width()) / 2;
    if (thumbnail.Height() < cell.height()) at.ry() += (cell.height() - thumbnail.Height()) / 2;
    painter.fillRect(cell, kThumbnailBackground);
    if (thumbnail.HasPicture()) {
        painter.setClipRect(cell, Qt::IntersectClip);
        thumbnail.Draw(&painter, at.x(), at.y(), kThumbnailWidth, kThumbnailHeight,
                       &m_list->Palette());
    }
}

bool PhotoRowDelegate::PaintSharpThumbnail(QPainter& painter, const QRect& cell, int row,
                                           qreal ratio) const
{
    const QImage& sharp =
        m_list->SharpThumbnailForRow(row, QSize(kThumbnailWidth, kThumbnailHeight), ratio);
    if (sharp.isNull()) return false;
    painter.fillRect(cell, kThumbnailBackground);
    const QSizeF size = sharp.deviceIndependentSize();
    // Centred as the thumbnail file is, by whole device pixels so no edge is blurred.
    const auto offset = [ratio](int room, qreal side) {
        return room > side ? static_cast<int>((room - side) * ratio / 2) / ratio : 0.0;
    };
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.drawImage(QPointF(cell.left() + offset(cell.width(), size.width()),
                              cell.top() + offset(cell.height(), size.height())),
                      sharp);
    return true;
}

void PhotoRowDelegate::PaintText(QPainter& painter, const QRect& cell, const QModelIndex& index,
                                 const QColor& colour) const
{
    const std::string bytes = m_list->m_model->CellText(index.row(), index.column());
    if (bytes.empty()) return;
    painter.setPen(colour);
    painter.setFont(m_list->font());
    const QRect area = cell.adjusted(kTextMarginSide, 0, -kTextMarginSide, -kTextMarginBottom);
    const Qt::Alignment alignment = index.column() == kDateColumn ? Qt::AlignHCenter : Qt::AlignLeft;
    WrappedText::Draw(painter, area, ByteText::ToDisplay(bytes), alignment);
}

void PhotoRowDelegate::PaintFocus(QPainter& painter, const QRect& cell, int column) const
{
    // The focus rectangle goes round the whole row, so each cell draws its share.
    QPen pen(m_list->palette().color(QPalette::Text), 1, Qt::DotLine);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setClipping(false);
    const QRect edge = cell.adjusted(0, 0, -1, -1);
    painter.drawLine(edge.topLeft(), edge.topRight());
    painter.drawLine(edge.bottomLeft(), edge.bottomRight());
    if (column == 0) painter.drawLine(edge.topLeft(), edge.bottomLeft());
    if (column == kPhotoColumnCount - 1) painter.drawLine(edge.topRight(), edge.bottomRight());
}
