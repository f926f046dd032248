#include "ui/browse/PhotoList.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "core/PhotoSorter.h"
#include "core/Settings.h"
#include "core/SettingsKeys.h"
#include "imaging/Picture.h"
#include "ui/browse/PhotoRowDelegate.h"
#include "ui/browse/SharpThumbnailCache.h"
#include "ui/browse/ThumbnailCache.h"
#include "ui/browse/ViewPalette.h"
#include "store/Library.h"
#include "store/PictureStore.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

PhotoList::PhotoList(QWidget* parent)
    : QTableView(parent),
      m_model(new PhotoListModel(this)),
      m_delegate(new PhotoRowDelegate(this)),
      m_thumbnails(std::make_unique<ThumbnailCache>()),
      m_sharpThumbnails(new SharpThumbnailCache(this)),
      m_palette(ViewPalette::Build()),
      m_textBackground(palette().color(QPalette::Active, QPalette::Base))
{
    // The list control's own 8-point font, so texts fit the fixed pixel widths of the
    // columns as they were laid out for it.
    QFont listFont = font();
    listFont.setPointSizeF(8);
    setFont(listFont);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setShowGrid(false);
    setWordWrap(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &PhotoList::selectedRowsChanged);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setAccessibleName(QStringLiteral("Photos"));
    setAccessibleDescription(QStringLiteral(
        "The listed photos, one row per photo. Enter makes the focused photo the current one; "
        "Shift+F10 opens its menu"));

    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(kRowHeight);
    rows->setDefaultSectionSize(kRowHeight);

    QHeaderView* columns = horizontalHeader();
    columns->setSectionsClickable(true);
    columns->setHighlightSections(false);
    columns->setSortIndicatorShown(true);
    columns->setSortIndicator(-1, Qt::AscendingOrder);
    columns->setStretchLastSection(false);
    for (int column = 0; column < kPhotoColumnCount; ++column) {
        columns->resizeSection(column, PhotoListModel::ColumnWidth(column));
    }
    connect(columns, &QHeaderView::sectionClicked, this, &PhotoList::SortByColumn);
}

PhotoList::~PhotoList() = default;

void PhotoList::SetLibrary(const Library* library)
{
    if (m_library != nullptr) disconnect(m_library, nullptr, this, nullptr);
    m_library = library;
    m_model->SetLibrary(library);
    m_sharpThumbnails->SetLibrary(library);
    ConnectLibrary();
    FillFromCatalog();
}

void PhotoList::ConnectLibrary()
{
    if (m_library == nullptr) return;
    connect(m_library, &Library::aboutToReplace, this, &PhotoList::Empty);
    connect(m_library, &Library::replaced, this, &PhotoList::FillFromCatalog);
    connect(m_library, &Library::photoAdded, this, &PhotoList::AppendPhoto);
    connect(m_library, &Library::photoChanged, this, &PhotoList::PhotoChanged);
    connect(m_library, &Library::photoAboutToBeRemoved, this, &PhotoList::ForgetPhoto);
    connect(m_library, &Library::namesChanged, viewport(), [this] { viewport()->update(); });
}

void PhotoList::SetSettings(Settings* settings) { m_settings = settings; }

// Drops every row and the current photo at once, before the records they point at go.
void PhotoList::Empty()
{
    ResetThumbnailCache();
    m_model->SetRows({});
    if (m_currentPhoto != nullptr) {
        m_currentPhoto = nullptr;
        Q_EMIT currentPhotoChanged(nullptr);
    }
    Q_EMIT rowsChanged();
}

void PhotoList::ForgetPhoto(const PhotoRecord* photo)
{
    if (photo == m_currentPhoto) {
        m_currentPhoto = nullptr;
        Q_EMIT currentPhotoChanged(nullptr);
    }
    bool removed = false;
    for (int row = m_model->RowOf(photo); row >= 0; row = m_model->RowOf(photo)) {
        m_model->RemoveRow(row);
        removed = true;
    }
    if (!removed) return;
    ResetThumbnailCache();
    viewport()->update();
    Q_EMIT rowsChanged();
}

void PhotoList::PhotoChanged(const PhotoRecord* photo)
{
    if (m_model->RowOf(photo) < 0) return;
    // Its thumbnail may have been written anew.
    ResetThumbnailCache();
    viewport()->update();
}

void PhotoList::SetContextMenu(QMenu* menu) { m_contextMenu = menu; }

void PhotoList::FillFromCatalog()
{
    ResetThumbnailCache();
    m_currentPhoto = nullptr;
    Q_EMIT currentPhotoChanged(nullptr);

    std::vector<const PhotoRecord*> rows;
    if (m_library != nullptr) {
        const CQuilleryDoc& catalog = m_library->Catalog();
        rows.reserve(static_cast<size_t>(catalog.PhotoCount()));
        for (int i = 0; i < catalog.PhotoCount(); ++i) rows.push_back(&catalog.PhotoAt(i));
        const bool newestFirst =
            m_settings != nullptr &&
            m_settings->GetInt(SettingsKeys::QuilleryStartupSort.name,
                               SettingsKeys::QuilleryStartupSort.defaultValue) != 0;
        // As a header click would sort, but the Date column's flag stays as it was.
        if (newestFirst) PhotoSorter::Sort(rows, catalog, PhotoField::Date, true);
        ShowSortIndicator(newestFirst ? kDateColumn : -1, true);
    }
    m_model->SetRows(std::move(rows));
    viewport()->update();
    Q_EMIT rowsChanged();
}

void PhotoList::ShowSubset(const std::vector<const PhotoRecord*>& photos)
{
    ResetThumbnailCache();
    m_model->SetRows(photos);
    if (m_model->RowOf(m_currentPhoto) >= 0) {
        SelectCurrentRow();
    } else {
        m_currentPhoto = nullptr;
        Q_EMIT currentPhotoChanged(nullptr);
    }
    viewport()->update();
    Q_EMIT rowsChanged();
}

void PhotoList::AppendPhoto(const PhotoRecord* photo)
{
    // A row at the end breaks whatever order the rows were sorted in.
    ShowSortIndicator(-1, false);
    m_model->AppendRow(photo);
    viewport()->update();
    Q_EMIT rowsChanged();
}

void PhotoList::RemoveRow(int row)
{
    if (row < 0 || row >= RowCount()) return;
    m_model->RemoveRow(row);
    // The rows after it moved up, so cached row numbers no longer fit.
    ResetThumbnailCache();
    viewport()->update();
    Q_EMIT rowsChanged();
}

void PhotoList::ResetThumbnailCache() { m_thumbnails->Clear(); }

int PhotoList::RowCount() const { return m_model->RowTotal(); }

const PhotoRecord* PhotoList::PhotoAtRow(int row) const { return m_model->PhotoAt(row); }

int PhotoList::RowOfPhoto(const PhotoRecord* photo) const { return m_model->RowOf(photo); }

std::vector<const PhotoRecord*> PhotoList::Photos() const { return m_model->Rows(); }

int PhotoList::FirstSelectedRow() const
{
    int first = -1;
    const QModelIndexList rows = selectionModel()->selectedRows();
    for (const QModelIndex& index : rows) {
        if (first < 0 || index.row() < first) first = index.row();
    }
    return first;
}

bool PhotoList::HasSelectedRows() const { return selectionModel()->hasSelection(); }

std::vector<const PhotoRecord*> PhotoList::SelectedPhotos() const
{
    QModelIndexList rows = selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    std::vector<const PhotoRecord*> photos;
    photos.reserve(static_cast<size_t>(rows.size()));
    for (const QModelIndex& index : rows) photos.push_back(PhotoAtRow(index.row()));
    return photos;
}

void PhotoList::SetCurrentPhoto(const PhotoRecord* photo)
{
    m_currentPhoto = photo;
    if (photo != nullptr) SelectCurrentRow();
    viewport()->update();
    Q_EMIT currentPhotoChanged(photo);
}

void PhotoList::SelectCurrentRow()
{
    const int row = m_model->RowOf(m_currentPhoto);
    if (row < 0) return;
    const QModelIndex index = m_model->index(row, 0);
    selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

bool PhotoList::CopyThumbnail(int row, Picture& into)
{
    const PhotoRecord* photo = PhotoAtRow(row);
    if (photo == nullptr) return false;
    if (const Picture* cached = m_thumbnails->Find(row); cached != nullptr && cached->HasPicture()) {
        return into.CopyFrom(*cached) == Picture::kOk;
    }
    into.LoadFile(ThumbnailPath(*photo));
    return into.HasPicture();
}

void PhotoList::SortByColumn(int column)
{
    if (!PhotoSorter::IsSortable(PhotoListModel::Field(column))) {
        // The header flips its indicator on any click; the rows kept their order.
        ShowSortIndicator(m_sortColumn, m_sortColumn >= 0 && DescendingFlag(m_sortColumn));
        return;
    }
    bool& descending = m_descending[static_cast<size_t>(column)];
    descending = !descending;
    SortRows(column, descending);
    ShowSortIndicator(column, descending);
}

void PhotoList::ShowSortIndicator(int column, bool descending)
{
    m_sortColumn = column;
    horizontalHeader()->setSortIndicator(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

bool PhotoList::DescendingFlag(int column) const
{
    return column >= 0 && column < kPhotoColumnCount && m_descending[static_cast<size_t>(column)];
}

void PhotoList::SortRows(int column, bool descending)
{
    if (m_library == nullptr) return;
    std::vector<const PhotoRecord*> rows = m_model->Rows();
    PhotoSorter::Sort(rows, m_library->Catalog(), PhotoListModel::Field(column), descending);
    m_model->Reorder(std::move(rows));
    ResetThumbnailCache();
    viewport()->update();
    Q_EMIT rowsSorted(PhotoListModel::Field(column), descending);
}

std::string PhotoList::ThumbnailPath(const PhotoRecord& photo) const
{
    return PictureStore::VersionPath(m_library != nullptr ? m_library->Directory() : std::string(),
                                     PictureStore::Version::Thumbnail, photo.GetFileName());
}

const Picture& PhotoList::ThumbnailForRow(int row)
{
    return m_thumbnails->Fetch(row, [this](int cachedRow, Picture& into) {
        const PhotoRecord* photo = PhotoAtRow(cachedRow);
        // A missing or broken file leaves the picture empty: the cell stays navy.
        if (photo != nullptr) into.LoadFile(ThumbnailPath(*photo));
    });
}

const QImage& PhotoList::SharpThumbnailForRow(int row, QSize box, qreal ratio)
{
    static const QImage none;
    const PhotoRecord* photo = PhotoAtRow(row);
    return photo != nullptr ? m_sharpThumbnails->Fetch(*photo, box, ratio) : none;
}

void PhotoList::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    if (RowCount() > 0) Q_EMIT rowsPainted();
}

void PhotoList::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QTableView::mousePressEvent(event);
        return;
    }
    const QModelIndex index = indexAt(event->position().toPoint());
    const PhotoRecord* photo = index.isValid() ? PhotoAtRow(index.row()) : nullptr;
    // Outside the rows, or on the current photo's row, the click changes nothing.
    if (photo == nullptr || photo == m_currentPhoto) {
        event->accept();
        return;
    }
    m_currentPhoto = photo;
    Q_EMIT currentPhotoChanged(photo);
    QTableView::mousePressEvent(event);
    viewport()->update();
}

void PhotoList::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    const PhotoRecord* photo = index.isValid() ? PhotoAtRow(index.row()) : nullptr;
    event->accept();
    if (photo == nullptr || event->button() != Qt::LeftButton) return;
    // The first press of the double-click made the row current; a double-click that
    // arrives without it still edits the photo under the pointer. The row goes with the
    // request: the selection may lie elsewhere (keys move it, Ctrl-clicks add to it).
    if (photo != m_currentPhoto) SetCurrentPhoto(photo);
    Q_EMIT editPhotoRequested(index.row());
}

void PhotoList::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    const bool byKeyboard = event->reason() == QContextMenuEvent::Keyboard;
    PopUpContextMenu(byKeyboard ? mapToGlobal(ContextMenuAnchor()) : event->globalPos());
}

void PhotoList::PopUpContextMenu(QPoint global)
{
    if (m_contextMenu != nullptr) m_contextMenu->popup(global);
}

QPoint PhotoList::ContextMenuAnchor() const
{
    int row = m_model->RowOf(m_currentPhoto);
    if (row < 0) row = currentIndex().row();
    const QRect cell = row >= 0 ? visualRect(m_model->index(row, kPersonsColumn)) : QRect();
    // A row scrolled out of sight gives an empty rectangle: the menu opens at the
    // list's top-left corner instead of somewhere off the list.
    const QPoint inViewport = cell.isValid() && viewport()->rect().intersects(cell)
                                  ? cell.topLeft() + QPoint(cell.width() / 2, cell.height() / 2)
                                  : QPoint(0, 0);
    return viewport()->mapTo(this, inViewport);
}

void PhotoList::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    // Shift+F10 is the other key that opens a context menu, but Qt turns only the Menu
    // key into a context menu event; on X11 that key comes as a key press as well.
    const bool menuKey = key == Qt::Key_Menu && modifiers == Qt::NoModifier;
    if (menuKey || (key == Qt::Key_F10 && modifiers == Qt::ShiftModifier)) {
        event->accept();
        if (m_contextMenu == nullptr || !m_contextMenu->isVisible()) {
            PopUpContextMenu(mapToGlobal(ContextMenuAnchor()));
        }
        return;
    }
    const bool choose = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    if (!choose || modifiers != Qt::NoModifier) {
        QTableView::keyPressEvent(event);
        return;
    }
    // Enter and Space on the focused row do what a click on it does.
    event->accept();
    const QModelIndex focused = currentIndex();
    const PhotoRecord* photo = focused.isValid() ? PhotoAtRow(focused.row()) : nullptr;
    if (photo == nullptr || photo == m_currentPhoto) return;
    m_currentPhoto = photo;
    selectionModel()->select(focused, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    viewport()->update();
    Q_EMIT currentPhotoChanged(photo);
}
