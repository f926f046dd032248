#pragma once

#include "ui/common/ByteText.h"

#include <QByteArray>
#include <QListWidgetItem>

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

}  // namespace NameListItem
