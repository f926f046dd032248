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
    IdList Ids(NameKind kind) const;
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

    const std::string& GetDateText() const { return m_dateText; }
    int Month() const { return m_month; }
    int Day() const { return m_day; }
    int Year() const { return m_year; }

    // The catalog that owns this record; null for a record outside any catalog.
    CQuilleryDoc* Catalog() const { return m_catalog; }

    // Number of used entries of an id list (up to the first -1).
    static int UsedCount(const IdList& ids);

private:
    friend class CQuilleryDoc;

    void StoreIds(const std::array<std::span<const int32_t>, kNameKinds.size()>& used);

    std::string m_fileName;
    // A library holds hundreds of thousands of records with a few names each, so only
    // the used ids are kept, the three kinds one after another in one block.
    std::unique_ptr<int32_t[]> m_ids;
    std::array<uint8_t, kNameKinds.size()> m_idCounts{};
    int m_month = 0;
    int m_day = 0;
    int m_year = 0;
    std::string m_dateText;
    std::string m_notes;
    CQuilleryDoc* m_catalog = nullptr;
};
