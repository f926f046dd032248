#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
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
    // Not noexcept, so the table keeps each hash code and never hashes a name twice.
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    // Each text to the first id holding it.
    using Index = std::unordered_map<std::string, int, Hash, std::equal_to<>>;

    void IndexNextHolder(const std::string& name, int from);

    std::vector<std::string> m_names;
    Index m_index;
};
