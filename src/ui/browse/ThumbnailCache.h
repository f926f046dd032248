#pragma once

#include "imaging/Picture.h"

#include <array>
#include <functional>

// The decoded thumbnails of the rows drawn most recently, keyed by row index. Slots
// are kept least recently used first; a miss reuses the first slot.
class ThumbnailCache {
public:
    static constexpr int kSlotCount = 10;
    // Fills the picture with the thumbnail of the row (an empty picture when none).
    using Loader = std::function<void(int row, Picture& into)>;

    // The row's thumbnail; its slot becomes the most recently used.
    const Picture& Fetch(int row, const Loader& load);
    // The row's thumbnail when cached, without touching the order.
    const Picture* Find(int row) const;
    // Releases every picture; all slots become empty.
    void Clear();
    // Row of each slot, least recently used first; -1 for an empty slot.
    std::array<int, kSlotCount> RowsByUse() const;

private:
    struct Slot {
        int picture = 0;
        int row = -1;
    };
    static std::array<Slot, kSlotCount> EmptySlots();

    std::array<Picture, kSlotCount> m_pictures;
    std::array<Slot, kSlotCount> m_slots = EmptySlots();
};
