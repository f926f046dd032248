#pragma once

#include "imaging/Imaging.h"
#include "ui/browse/PhotoListModel.h"

#include <QColor>
#include <QImage>
#include <QTableView>

#include <array>
#include <memory>
#include <string>
#include <vector>

class Library;
class PhotoRecord;
class Picture;
class Settings;
class QMenu;
class PhotoRowDelegate;
class SharpThumbnailCache;
class ThumbnailCache;

// The list of the library's photos, one row per photo, thumbnail first. It decides
// which photo is current: a click on a row, or Enter or Space on the focused row, makes
// that row's photo current; moving the selection with the arrow keys never does. It follows the library's announcements: rows come and go with
// their photos, and a library being replaced empties the list before its records go.
class PhotoList : public QTableView {
    Q_OBJECT
public:
    explicit PhotoList(QWidget* parent = nullptr);
    ~PhotoList() override;

    void SetLibrary(const Library* library);
    void SetSettings(Settings* settings);

    // Rebuilds the rows from the whole catalog; no photo is current afterwards.
    void FillFromCatalog();
    // Rebuilds the rows from a filter's result; the current photo stays current
    // (selected and focused) when it is among them, else none is.
    void ShowSubset(const std::vector<const PhotoRecord*>& photos);
    // Removes one row (hide selection); the caller settles the current photo.
    void RemoveRow(int row);
    // Forgets every decoded thumbnail, for when rows or their pictures changed.
    void ResetThumbnailCache();

    int RowCount() const;
    const PhotoRecord* PhotoAtRow(int row) const;
    // -1 when the photo has no row.
    int RowOfPhoto(const PhotoRecord* photo) const;
    // The rows' photos in row order: the filtered list.
    std::vector<const PhotoRecord*> Photos() const;
    // -1 when nothing is selected.
    int FirstSelectedRow() const;
    bool HasSelectedRows() const;
    // The photos of the selected rows, in row order.
    std::vector<const PhotoRecord*> SelectedPhotos() const;

    const PhotoRecord* CurrentPhoto() const { return m_currentPhoto; }
    // Makes the photo current, selects and focuses its row and announces it.
    void SetCurrentPhoto(const PhotoRecord* photo);

    // The thumbnail of a row for the edit dialog's preview: the cached one when the
    // row was drawn lately, else loaded from the picture store. False when none.
    bool CopyThumbnail(int row, Picture& into);

    // The header click: toggles the column's descending flag and sorts by it.
    // Picture and Notes do not sort.
    void SortByColumn(int column);
    bool DescendingFlag(int column) const;

    void SetContextMenu(QMenu* menu);
    // Where the keyboard opens the context menu: on the current photo's row, else on
    // the focused row, in this widget's coordinates.
    QPoint ContextMenuAnchor() const;

    // The palette thumbnails are drawn with; the editing pages draw with it too.
    const img::Palette& Palette() const { return m_palette; }
    const ThumbnailCache& Thumbnails() const { return *m_thumbnails; }

    // Row height that fits a 100-pixel-high thumbnail inside the cell outline.
    static constexpr int kRowHeight = 102;

Q_SIGNALS:
    void currentPhotoChanged(const PhotoRecord* photo);
    // A double-click on a row: edit that row's photo.
    void editPhotoRequested(int row);
    void rowsChanged();
    // A paint of the list that drew rows (and so their thumbnails) has ended.
    void rowsPainted();
    // Rows were selected or deselected; rowsChanged stands for this too, as
    // rebuilding the rows drops the selection without a word.
    void selectedRowsChanged();
    // The same rows were sorted by a field, as a header click sorts them.
    void rowsSorted(PhotoField field, bool descending);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    friend class PhotoRowDelegate;

    void ConnectLibrary();
    void Empty();
    // Adds a row at the end; the current photo and the selection stay.
    void AppendPhoto(const PhotoRecord* photo);
    void ForgetPhoto(const PhotoRecord* photo);
    void PhotoChanged(const PhotoRecord* photo);
    void SortRows(int column, bool descending);
    void SelectCurrentRow();
    // The header shows which column the rows are sorted by, and which way.
    void ShowSortIndicator(int column, bool descending);
    void PopUpContextMenu(QPoint global);
    std::string ThumbnailPath(const PhotoRecord& photo) const;
    // The decoded thumbnail for a row, loading it into the least recently used slot
    // on a miss.
    const Picture& ThumbnailForRow(int row);
    // On a scaled screen: the row's picture from its full-screen file, sharp at the
    // ratio; null when the thumbnail file has to serve.
    const QImage& SharpThumbnailForRow(int row, QSize box, qreal ratio);

    PhotoListModel* m_model = nullptr;
    PhotoRowDelegate* m_delegate = nullptr;
    std::unique_ptr<ThumbnailCache> m_thumbnails;
    SharpThumbnailCache* m_sharpThumbnails = nullptr;
    const Library* m_library = nullptr;
    Settings* m_settings = nullptr;
    const PhotoRecord* m_currentPhoto = nullptr;
    QMenu* m_contextMenu = nullptr;
    std::array<bool, kPhotoColumnCount> m_descending{};
    // The column whose sort the rows are in, -1 when they are in no column's order.
    int m_sortColumn = -1;
    img::Palette m_palette;
    QColor m_textBackground;
};
