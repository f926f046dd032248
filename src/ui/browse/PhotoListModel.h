#pragma once

#include "core/PhotoField.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

class Library;
class PhotoRecord;

// The photo list's columns, in display order: one for each field of a photo.
enum PhotoColumn : int {
    kPictureColumn = static_cast<int>(PhotoField::Picture),
    kDateColumn = static_cast<int>(PhotoField::Date),
    kPersonsColumn = static_cast<int>(PhotoField::Persons),
    kEventsColumn = static_cast<int>(PhotoField::Events),
    kLocationsColumn = static_cast<int>(PhotoField::Locations),
    kNotesColumn = static_cast<int>(PhotoField::Notes),
    kFilenameColumn = static_cast<int>(PhotoField::Filename),
    kPhotoColumnCount = kPhotoFieldCount
};

// The rows of the photo list: each row points at a photo the catalog owns; the rows
// own nothing. Cell texts are made when asked, so a fill of any size costs only the
// pointer array.
class PhotoListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit PhotoListModel(QObject* parent = nullptr);

    void SetLibrary(const Library* library);
    void SetRows(std::vector<const PhotoRecord*> rows);
    void AppendRow(const PhotoRecord* photo);
    void RemoveRow(int row);
    // Puts the rows into a new order of the same photos; selection and the current
    // index follow their photos.
    void Reorder(std::vector<const PhotoRecord*> rows);

    const std::vector<const PhotoRecord*>& Rows() const { return m_rows; }
    int RowTotal() const { return static_cast<int>(m_rows.size()); }
    const PhotoRecord* PhotoAt(int row) const;
    int RowOf(const PhotoRecord* photo) const;

    // The stored bytes a cell shows (empty for the picture column).
    std::string CellText(int row, int column) const;
    // The field a column shows and sorts by; a column out of range is taken as the
    // picture's, which shows no text and does not sort.
    static PhotoField Field(int column);

    static QString Heading(int column);
    static int ColumnWidth(int column);
    static Qt::Alignment HeaderAlignment(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const Library* m_library = nullptr;
    std::vector<const PhotoRecord*> m_rows;
};
