#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One of the catalog's name lists: the id of a name is its index. Names are never
// removed, so ids keep their meaning while the program runs. Lookups go through an
// index that still finds the first equal entry after names are edited in place and
// two entries come to hold the same text.
class NameList {
public:
    // First entry equal to the name (byte for byte), or -1.
    int Find(std::string_view name) const;
    // Appends without looking for duplicates; returns the new id.
    int Add(std::string name);
    // Edits the name with this id in place.
    void Replace(int id, std::string name);
    const std::string& At(int id) const { return m_names.at(static_cast<size_t>(id)); }
    int Size() const { return static_cast<int>(m_names.size()); }
    bool Contains(int id) const { return id >= 0 && id < Size(); }
    void Clear();

private:
    // An open-addressing table of the first id holding each text: reading a library
    // looks names up several times per photo, and a flat table keeps that to one
    // probe in a small array and one comparison.
    struct Slot {
        uint32_t hash = 0;
        int32_t id = -1;
    };

    static uint32_t Hash(std::string_view name);
    size_t SlotOf(std::string_view name, uint32_t hash) const;
    void Index(int id);
    void Rebuild();

    std::vector<std::string> m_names;
    std::vector<Slot> m_slots;  // size a power of two, at most half full
};
