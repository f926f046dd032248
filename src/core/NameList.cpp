#include "core/NameList.h"

#include <functional>

namespace {
constexpr size_t kFirstTableSize = 64;
}  // namespace

int NameList::Find(std::string_view name) const
{
    if (m_slots.empty()) return -1;
    return m_slots[SlotOf(name, Hash(name))].id;
}

int NameList::Add(std::string name)
{
    const int id = Size();
    m_names.push_back(std::move(name));
    if (m_names.size() * 2 > m_slots.size()) Rebuild();
    else Index(id);
    return id;
}

// Edits are rare and lists short, so the table is simply made anew: which entry is
// now the first of its text follows without a special case.
void NameList::Replace(int id, std::string name)
{
    std::string& slot = m_names.at(static_cast<size_t>(id));
    if (slot == name) return;
    slot = std::move(name);
    Rebuild();
}

void NameList::Clear()
{
    m_names.clear();
    m_slots.clear();
}

uint32_t NameList::Hash(std::string_view name)
{
    return static_cast<uint32_t>(std::hash<std::string_view>{}(name));
}

// The slot holding the name, or the empty slot where it would go.
size_t NameList::SlotOf(std::string_view name, uint32_t hash) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.id < 0) return i;
        if (slot.hash == hash && m_names[static_cast<size_t>(slot.id)] == name) return i;
    }
}

// Keeps an existing entry: it holds an earlier id.
void NameList::Index(int id)
{
    const std::string& name = m_names[static_cast<size_t>(id)];
    const uint32_t hash = Hash(name);
    Slot& slot = m_slots[SlotOf(name, hash)];
    if (slot.id < 0) slot = {hash, id};
}

void NameList::Rebuild()
{
    size_t size = kFirstTableSize;
    while (size < m_names.size() * 2) size *= 2;
    m_slots.assign(size, Slot{});
    for (int id = 0; id < Size(); ++id) Index(id);
}
