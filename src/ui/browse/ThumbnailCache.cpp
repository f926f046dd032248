#include "ui/browse/ThumbnailCache.h"

#include <algorithm>

std::array<ThumbnailCache::Slot, ThumbnailCache::kSlotCount> ThumbnailCache::EmptySlots()
{
    std::array<Slot, kSlotCount> slots;
    for (int i = 0; i < kSlotCount; ++i) slots[static_cast<size_t>(i)] = {i, -1};
    return slots;
}

const Picture& ThumbnailCache::Fetch(int row, const Loader& load)
{
    auto slot = std::find_if(m_slots.begin(), m_slots.end(),
                             [row](const Slot& candidate) { return candidate.row == row; });
    if (slot == m_slots.end()) {
        slot = m_slots.begin();
        Picture& picture = m_pictures[static_cast<size_t>(slot->picture)];
        picture.Release();
        load(row, picture);
        slot->row = row;
    }
    // The used slot moves to the end; the slots after it move up by one.
    std::rotate(slot, slot + 1, m_slots.end());
    return m_pictures[static_cast<size_t>(m_slots.back().picture)];
}

const Picture* ThumbnailCache::Find(int row) const
{
    const auto slot = std::find_if(m_slots.begin(), m_slots.end(),
                                   [row](const Slot& candidate) { return candidate.row == row; });
    return slot == m_slots.end() ? nullptr : &m_pictures[static_cast<size_t>(slot->picture)];
}

void ThumbnailCache::Clear()
{
    for (Picture& picture : m_pictures) picture.Release();
    for (Slot& slot : m_slots) slot.row = -1;
}

std::array<int, ThumbnailCache::kSlotCount> ThumbnailCache::RowsByUse() const
{
    std::array<int, kSlotCount> rows{};
    std::transform(m_slots.begin(), m_slots.end(), rows.begin(),
                   [](const Slot& slot) { return slot.row; });
    return rows;
}
