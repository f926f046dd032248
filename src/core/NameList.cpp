#include "core/NameList.h"

#include <utility>

int NameList::Find(std::string_view name) const
{
    const auto found = m_index.find(name);
    return found == m_index.end() ? -1 : found->second;
}

int NameList::Add(std::string name)
{
    const int id = Size();
    m_index.try_emplace(name, id);
    m_names.push_back(std::move(name));
    return id;
}

// Edits are rare and lists short, so finding the next holder of an edited-away name
// may scan; lookups never do.
void NameList::Replace(int id, std::string name)
{
    std::string& slot = m_names.at(static_cast<size_t>(id));
    if (slot == name) return;
    const std::string oldName = std::exchange(slot, std::move(name));
    const auto old = m_index.find(oldName);
    if (old != m_index.end() && old->second == id) {
        m_index.erase(old);
        IndexNextHolder(oldName, id + 1);
    }
    const auto [entry, added] = m_index.try_emplace(slot, id);
    if (!added && entry->second > id) entry->second = id;
}

void NameList::Clear()
{
    m_names.clear();
    m_index.clear();
}

void NameList::IndexNextHolder(const std::string& name, int from)
{
    for (int id = from; id < Size(); ++id) {
        if (m_names[static_cast<size_t>(id)] == name) {
            m_index.try_emplace(name, id);
            return;
        }
    }
}
