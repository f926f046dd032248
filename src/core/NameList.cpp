#include "core/NameList.h"

#include <algorithm>

int NameList::Find(std::string_view name) const
{
    const auto found = m_index.find(name);
    return found == m_index.end() ? -1 : found->second.front();
}

int NameList::Add(std::string name)
{
    const int id = Size();
    m_index[name].push_back(id);
    m_names.push_back(std::move(name));
    return id;
}

void NameList::Replace(int id, std::string name)
{
    std::string& slot = m_names.at(static_cast<size_t>(id));
    if (slot == name) return;
    const auto old = m_index.find(slot);
    auto& oldIds = old->second;
    oldIds.erase(std::find(oldIds.begin(), oldIds.end(), id));
    if (oldIds.empty()) m_index.erase(old);

    auto& newIds = m_index[name];
    newIds.insert(std::lower_bound(newIds.begin(), newIds.end(), id), id);
    slot = std::move(name);
}

void NameList::Clear()
{
    m_names.clear();
    m_index.clear();
}
