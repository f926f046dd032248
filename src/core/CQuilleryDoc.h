#pragma once

#include "core/NameKind.h"
#include "core/NameList.h"
#include "core/PhotoRecord.h"
#include "core/UsedNameRange.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class Prompter;

// The catalog: every photo record of one library in file order and the three name
// lists its records refer to by id. Knows no window: callers refresh their views
// after they change it.
class CQuilleryDoc {
public:
    CQuilleryDoc();
    ~CQuilleryDoc();
    // Records point back at their catalog, so a catalog stays where it was made.
    CQuilleryDoc(const CQuilleryDoc&) = delete;
    CQuilleryDoc& operator=(const CQuilleryDoc&) = delete;

    // Drops every record and name; untitled, not modified, no path.
    void Clear();

    // Appends a copy of the record, owned by this catalog; returns its index.
    int AddPhoto(const PhotoRecord& record);
    void RemovePhoto(int index);
    int PhotoCount() const { return static_cast<int>(m_photos.size()); }
    PhotoRecord& PhotoAt(int index) { return *m_photos.at(static_cast<size_t>(index)); }
    const PhotoRecord& PhotoAt(int index) const { return *m_photos.at(static_cast<size_t>(index)); }
    // First record with exactly this file name, or -1.
    int FindPhotoByFileName(std::string_view fileName) const;

    const NameList& Names(NameKind kind) const { return m_names[KindIndex(kind)]; }
    // First name of the kind equal to this one (byte for byte), or -1.
    int FindName(NameKind kind, std::string_view name) const { return Names(kind).Find(name); }
    // Appends without looking for duplicates (callers look first); returns the id.
    int AddName(NameKind kind, std::string name) { return NamesOf(kind).Add(std::move(name)); }
    // Edits the name in place: the id keeps meaning the same entry.
    void ReplaceName(NameKind kind, int id, std::string name)
    {
        NamesOf(kind).Replace(id, std::move(name));
    }

    // The stored names the record uses of a kind, in the record's order: its ids up to
    // the first -1 or kMaxNames entries, skipping any id that names no entry rather
    // than trusting it. Valid while the record and the list stay as they are.
    UsedNameRange UsedNames(NameKind kind, const PhotoRecord& record) const
    {
        return {Names(kind), record.UsedIds(kind)};
    }

    // Display forms of the record's names joined by ", ": "Ann Brown, John Smith".
    // Events show as stored.
    std::string NamesText(NameKind kind, const PhotoRecord& record) const;

    // Replaces the whole content with the file's; on failure the records before the
    // faulty line stay. Messages carry the file's path as caption.
    bool ReadDatabase(const std::string& path, Prompter& prompter);
    // Writes by way of "~name", a ".bak" backup and two renames; a failure leaves
    // the database file and this catalog as they were.
    bool WriteDatabase(const std::string& path, Prompter& prompter);

    bool IsUntitled() const { return m_untitled; }
    bool IsModified() const { return m_modified; }
    void SetUntitled(bool untitled) { m_untitled = untitled; }
    void SetModified(bool modified) { m_modified = modified; }
    const std::string& GetPath() const { return m_path; }
    void SetPath(std::string path) { m_path = std::move(path); }

private:
    friend class PhotoRecord;
    friend class DatabaseReader;

    // Takes a record the reader made, without copying it.
    int AdoptPhoto(std::unique_ptr<PhotoRecord> record);
    NameList& NamesOf(NameKind kind) { return m_names[KindIndex(kind)]; }
    // Gives a record of this catalog a new file name and keeps the lookup right.
    void RenamePhoto(PhotoRecord& record, std::string newName);
    int IndexOf(const PhotoRecord& record) const;
    void BuildFileNameIndex() const;
    void IndexFileName(int index) const;
    void IndexNextHolder(const std::string& fileName, int from);

    // Hash codes are kept in the nodes (the functor is not noexcept), so growing the
    // table does not hash every name again.
    struct Hash {
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    std::array<NameList, kNameKinds.size()> m_names;  // persons, events, locations
    std::vector<std::unique_ptr<PhotoRecord>> m_photos;
    // Each file name to the index of the first record holding it. The keys view the
    // records' own names (records stay put on the heap), so indexing copies nothing;
    // a key is dropped before the name it views changes or goes.
    mutable std::unordered_map<std::string_view, int, Hash> m_fileNameIndex;
    mutable bool m_indexBuilt = false;
    bool m_untitled = true;
    bool m_modified = false;
    std::string m_path;
};
