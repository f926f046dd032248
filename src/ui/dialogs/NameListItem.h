#pragma once

#include "ui/common/ByteText.h"

#include <QByteArray>
#include <QListWidget>
#include <QListWidgetItem>

#include <vector>

#include <string>

// List items of stored names: the text shown is the name as text, and the item keeps
// the stored bytes, so a name is always looked up by exactly what the catalog holds.
namespace NameListItem {

inline constexpr int kBytesRole = Qt::UserRole;

inline QListWidgetItem* Make(const std::string& stored)
{
    auto* item = new QListWidgetItem(ByteText::ToDisplay(stored));
    item->setData(kBytesRole, QByteArray(stored.data(), static_cast<qsizetype>(stored.size())));
    return item;
}

inline std::string Bytes(const QListWidgetItem* item)
{
    return item->data(kBytesRole).toByteArray().toStdString();
}

// The stored bytes of the selected items, in list order.
inline std::vector<std::string> SelectedBytes(const QListWidget* list)
{
    std::vector<std::string> chosen;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        if (item->isSelected()) chosen.push_back(Bytes(item));
    }
    return chosen;
}

// The item of a stored name, or null.
inline QListWidgetItem* Find(const QListWidget* list, const std::string& stored)
{
    for (int row = 0; row < list->count(); ++row)
        if (Bytes(list->item(row)) == stored) return list->item(row);
    return nullptr;
}

}  // namespace NameListItem
