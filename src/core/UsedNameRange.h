#pragma once

#include "core/NameList.h"

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>

// The names behind a record's used ids, in the record's order, skipping any id that
// names no entry of the list. Written by hand rather than as a std::views pipeline:
// clang 14, the fuzz build's compiler, cannot compile libstdc++ 12's range adaptors.
// Valid while the record and the list stay as they are.
class UsedNameRange {
public:
    class Iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string*;
        using reference = const std::string&;

        Iterator() = default;
        Iterator(const NameList* names, const int32_t* at, const int32_t* end)
            : m_names(names), m_at(at), m_end(end)
        {
            SkipUnknown();
        }
        reference operator*() const { return m_names->At(*m_at); }
        pointer operator->() const { return &**this; }
        Iterator& operator++()
        {
            ++m_at;
            SkipUnknown();
            return *this;
        }
        Iterator operator++(int)
        {
            Iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const Iterator& other) const { return m_at == other.m_at; }

    private:
        void SkipUnknown()
        {
            while (m_at != m_end && !m_names->Contains(*m_at))
                ++m_at;
        }

        const NameList* m_names = nullptr;
        const int32_t* m_at = nullptr;
        const int32_t* m_end = nullptr;
    };

    UsedNameRange(const NameList& names, std::span<const int32_t> ids) : m_names(&names), m_ids(ids)
    {
    }
    Iterator begin() const { return {m_names, m_ids.data(), m_ids.data() + m_ids.size()}; }
    Iterator end() const
    {
        const int32_t* last = m_ids.data() + m_ids.size();
        return {m_names, last, last};
    }

private:
    const NameList* m_names;
    std::span<const int32_t> m_ids;
};
