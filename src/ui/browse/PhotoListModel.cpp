#include "ui/browse/PhotoListModel.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "store/Library.h"
#include "ui/common/ByteText.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <unordered_map>

namespace {

struct ColumnSpec {
    const char* heading;
    int width;
    Qt::Alignment alignment;
};

constexpr std::array<ColumnSpec, kPhotoColumnCount> kColumns{{
    {"Picture", 152, Qt::AlignLeft},
    {"Date", 70, Qt::AlignHCenter},
    {"Persons", 150, Qt::AlignLeft},
    {"Events", 150, Qt::AlignLeft},
    {"Locations", 150, Qt::AlignLeft},
    {"Notes", 250, Qt::AlignLeft},
    {"Filename", 150, Qt::AlignLeft},
}};

bool IsColumn(int column) { return column >= 0 && column < kPhotoColumnCount; }

} // namespace

PhotoListModel::PhotoListModel(QObject* parent) : QAbstractTableModel(parent) {}

void PhotoListModel::SetLibrary(const Library* library)
{
    beginResetModel();
    m_library = library;
    endResetModel();
}

void PhotoListModel::SetRows(std::vector<const PhotoRecord*> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void PhotoListModel::AppendRow(const PhotoRecord* photo)
{
    const int row = RowTotal();
    beginInsertRows({}, row, row);
    m_rows.push_back(photo);
    endInsertRows();
}

void PhotoListModel::RemoveRow(int row)
{
    if (row < 0 || row >= RowTotal()) return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void PhotoListModel::Reorder(std::vector<const PhotoRecord*> rows)
{
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    // Only the photos of persistent indexes (the selection's ends, the current index)
    // are followed, so a sort of 100,000 rows does not build a map of them all. A
    // photo may stand in two rows (a filter may pass duplicates): the n-th row of a
    // photo before is matched to its n-th row after.
    std::unordered_map<const PhotoRecord*, std::vector<int>> oldRowsOf;
    for (const QModelIndex& index : before)
        oldRowsOf.try_emplace(m_rows[static_cast<size_t>(index.row())]);
    std::unordered_map<const PhotoRecord*, std::vector<int>> newRowsOf;
    if (!oldRowsOf.empty()) {
        for (int row = 0; row < RowTotal(); ++row) {
            if (const auto found = oldRowsOf.find(m_rows[static_cast<size_t>(row)]);
                found != oldRowsOf.end())
                found->second.push_back(row);
        }
        for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
            const PhotoRecord* photo = rows[static_cast<size_t>(row)];
            if (oldRowsOf.contains(photo)) newRowsOf[photo].push_back(row);
        }
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& index : before) {
        const PhotoRecord* photo = m_rows[static_cast<size_t>(index.row())];
        const std::vector<int>& oldRows = oldRowsOf[photo];
        const size_t nth = static_cast<size_t>(
            std::lower_bound(oldRows.begin(), oldRows.end(), index.row()) - oldRows.begin());
        const std::vector<int>& newRows = newRowsOf[photo];
        after.push_back(nth < newRows.size() ? createIndex(newRows[nth], index.column())
                                             : QModelIndex());
    }
    m_rows = std::move(rows);
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

const PhotoRecord* PhotoListModel::PhotoAt(int row) const
{
    if (row < 0 || row >= RowTotal()) return nullptr;
    return m_rows[static_cast<size_t>(row)];
}

int PhotoListModel::RowOf(const PhotoRecord* photo) const
{
    if (photo == nullptr) return -1;
    const auto found = std::find(m_rows.begin(), m_rows.end(), photo);
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

std::string PhotoListModel::CellText(int row, int column) const
{
    const PhotoRecord* photo = PhotoAt(row);
    // Rows are the catalog's photos: without it there is nothing to show.
    if (photo == nullptr || m_library == nullptr) return {};
    return FieldText(m_library->Catalog(), *photo, Field(column));
}

PhotoField PhotoListModel::Field(int column)
{
    return IsColumn(column) ? static_cast<PhotoField>(column) : PhotoField::Picture;
}

QString PhotoListModel::Heading(int column)
{
    return IsColumn(column) ? QString::fromLatin1(kColumns[static_cast<size_t>(column)].heading)
                            : QString();
}

int PhotoListModel::ColumnWidth(int column)
{
    return IsColumn(column) ? kColumns[static_cast<size_t>(column)].width : 0;
}

Qt::Alignment PhotoListModel::HeaderAlignment(int column)
{
    const Qt::Alignment horizontal =
        IsColumn(column) ? kColumns[static_cast<size_t>(column)].alignment : Qt::AlignLeft;
    return horizontal | Qt::AlignVCenter;
}

int PhotoListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowTotal();
}

int PhotoListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kPhotoColumnCount;
}

QVariant PhotoListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const PhotoRecord* photo = PhotoAt(index.row());
    // The thumbnail cell has no text; a screen reader names it after its photo.
    if (role == Qt::AccessibleTextRole && index.column() == kPictureColumn && photo != nullptr) {
        return QStringLiteral("Thumbnail of %1").arg(ByteText::ToDisplay(photo->GetFileName()));
    }
    if (role == Qt::AccessibleDescriptionRole) return Heading(index.column());
    if (role != Qt::DisplayRole) return {};
    return ByteText::ToDisplay(CellText(index.row(), index.column()));
}

QVariant PhotoListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return Heading(section);
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(HeaderAlignment(section));
    return {};
}
