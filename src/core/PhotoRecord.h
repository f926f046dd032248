#pragma once

#include "core/NameKind.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

class CQuilleryDoc;

// One photo of a library. Names are referred to by id (index into the catalog's
// name lists); an id list ends at its first -1 or after kMaxNames entries. Text
// fields hold raw bytes and are compared byte for byte.
class PhotoRecord {
public:
    static constexpr int kMaxNames = 16;
    using IdList = std::array<int32_t, kMaxNames>;

    PhotoRecord();
    virtual ~PhotoRecord();
    // Copies carry every field except the owning catalog.
    PhotoRecord(const PhotoRecord& other);
    PhotoRecord& operator=(const PhotoRecord& other);

    // The record's ids of one kind, every entry (used ones first, then -1).
    // A copy (const, so that writing to an element of it cannot compile and be lost);
    // SetIds stores a changed list.
    const IdList Ids(NameKind kind) const;
    // Keeps the entries up to the first -1.
    void SetIds(NameKind kind, const IdList& ids);
    // All three kinds at once, in the order of kNameKinds.
    void SetIds(const std::array<IdList, kNameKinds.size()>& lists);
    // Only the used entries: up to the first -1 or kMaxNames.
    std::span<const int32_t> UsedIds(NameKind kind) const;
    // Whether the record refers to the name with this id.
    bool HasName(NameKind kind, int id) const;

    const std::string& GetFileName() const { return m_fileName; }
    // Keeps the owning catalog's file-name index in step.
    void SetFileName(std::string fileName);

    const std::string& GetNotes() const { return m_notes; }
    // Line breaks are "\r\n" in memory.
    void SetNotes(std::string notes) { m_notes = std::move(notes); }

    // Stores the numbers and makes the date text by FormatDate.
    void SetDate(int month, int day, int year);
    // Keeps a text already accepted by ParseDate exactly as typed (at most 11 bytes
    // are kept) and takes month, day and year from it.
    void SetDateText(std::string_view text);

    std::string_view GetDateText() const { return {m_dateText.data(), m_dateTextLength}; }
    int Month() const { return m_month; }
    int Day() const { return m_day; }
    int Year() const { return m_year; }

    // The catalog that owns this record; null for a record outside any catalog.
    CQuilleryDoc* Catalog() const { return m_catalog; }

    // Number of used entries of an id list (up to the first -1).
    static int UsedCount(const IdList& ids);

private:
    friend class CQuilleryDoc;

    // A library holds hundreds of thousands of records, and reading one costs little
    // more memory than its file when a record is small: only the used ids are kept, the
    // three kinds one after another, inside the record when they are few, else in a
    // block of their own; the date text has its fixed room.
    static constexpr size_t kInlineIds = 5;
    static constexpr size_t kDateTextRoom = 11;

    void StoreIds(const std::array<std::span<const int32_t>, kNameKinds.size()>& used);
    void SetDateTextBytes(std::string_view text);
    const int32_t* IdData() const { return m_idBlock ? m_idBlock.get() : m_inlineIds.data(); }

    std::string m_fileName;
    std::string m_notes;
    CQuilleryDoc* m_catalog = nullptr;
    int m_month = 0;
    int m_day = 0;
    int m_year = 0;
    std::array<char, kDateTextRoom> m_dateText{};
    uint8_t m_dateTextLength = 0;
    std::array<uint8_t, kNameKinds.size()> m_idCounts{};
    std::array<int32_t, kInlineIds> m_inlineIds{};
    std::unique_ptr<int32_t[]> m_idBlock;
};
