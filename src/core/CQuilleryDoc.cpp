#include "core/CQuilleryDoc.h"

#include "core/DatabaseReader.h"
#include "core/DatabaseWriter.h"
#include "core/NameText.h"


CQuilleryDoc::CQuilleryDoc() = default;

CQuilleryDoc::~CQuilleryDoc() = default;

void CQuilleryDoc::Clear()
{
    m_fileNameIndex.clear();
    m_indexBuilt = false;
    m_photos.clear();
    for (NameList& names : m_names) names.Clear();
    m_untitled = true;
    m_modified = false;
    m_path.clear();
}

int CQuilleryDoc::AddPhoto(const PhotoRecord& record)
{
    return AdoptPhoto(std::make_unique<PhotoRecord>(record));
}

int CQuilleryDoc::AdoptPhoto(std::unique_ptr<PhotoRecord> record)
{
    const int index = PhotoCount();
    record->m_catalog = this;
    m_photos.push_back(std::move(record));
    if (m_indexBuilt) IndexFileName(index);
    return index;
}

void CQuilleryDoc::RemovePhoto(int index)
{
    if (index < 0 || index >= PhotoCount()) return;
    const std::string fileName = PhotoAt(index).GetFileName();
    const auto found = m_fileNameIndex.find(fileName);
    const bool wasFirst = found != m_fileNameIndex.end() && found->second == index;
    if (wasFirst) m_fileNameIndex.erase(found);
    m_photos.erase(m_photos.begin() + index);
    // Closing the gap moves every later record down by one.
    for (auto& entry : m_fileNameIndex)
        if (entry.second > index) --entry.second;
    if (wasFirst) IndexNextHolder(fileName, index);
}

int CQuilleryDoc::FindPhotoByFileName(std::string_view fileName) const
{
    if (!m_indexBuilt) BuildFileNameIndex();
    const auto found = m_fileNameIndex.find(fileName);
    return found == m_fileNameIndex.end() ? -1 : found->second;
}

std::string CQuilleryDoc::NamesText(NameKind kind, const PhotoRecord& record) const
{
    std::string text;
    for (const std::string& name : UsedNames(kind, record)) {
        if (!text.empty()) text += ", ";
        text += kind == NameKind::Events ? name : DisplayName(name);
    }
    return text;
}

bool CQuilleryDoc::ReadDatabase(const std::string& path, Prompter& prompter)
{
    return DatabaseReader(*this, prompter).Read(path);
}

bool CQuilleryDoc::WriteDatabase(const std::string& path, Prompter& prompter)
{
    if (!DatabaseWriter(*this, prompter).Write(path)) return false;
    m_path = path;
    m_untitled = false;
    m_modified = false;
    return true;
}

void CQuilleryDoc::RenamePhoto(PhotoRecord& record, std::string newName)
{
    if (record.m_fileName == newName) return;
    if (!m_indexBuilt) {
        record.m_fileName = std::move(newName);
        return;
    }
    const int index = IndexOf(record);
    // The key may view this very string: drop it before the string changes.
    const std::string oldName = record.m_fileName;
    const auto found = m_fileNameIndex.find(oldName);
    const bool wasFirst = found != m_fileNameIndex.end() && found->second == index;
    if (wasFirst) m_fileNameIndex.erase(found);
    record.m_fileName = std::move(newName);
    if (index < 0) return;
    if (wasFirst) IndexNextHolder(oldName, index + 1);
    const auto holder = m_fileNameIndex.find(record.m_fileName);
    if (holder != m_fileNameIndex.end() && holder->second > index) m_fileNameIndex.erase(holder);
    IndexFileName(index);
}

// Only an edit of a name needs this, so a scan is fine.
int CQuilleryDoc::IndexOf(const PhotoRecord& record) const
{
    for (int i = 0; i < PhotoCount(); ++i)
        if (m_photos[static_cast<size_t>(i)].get() == &record) return i;
    return -1;
}

// Built at the first lookup rather than while reading: opening a library then
// costs nothing for a lookup that may never come, and one pass into a table of the
// right size is cheaper than growing it record by record.
void CQuilleryDoc::BuildFileNameIndex() const
{
    m_fileNameIndex.clear();
    m_fileNameIndex.reserve(m_photos.size());
    for (int i = 0; i < PhotoCount(); ++i) IndexFileName(i);
    m_indexBuilt = true;
}

// Keeps an existing entry: it names an earlier record.
void CQuilleryDoc::IndexFileName(int index) const
{
    m_fileNameIndex.try_emplace(PhotoAt(index).GetFileName(), index);
}

void CQuilleryDoc::IndexNextHolder(const std::string& fileName, int from)
{
    for (int i = from; i < PhotoCount(); ++i) {
        if (PhotoAt(i).GetFileName() == fileName) {
            IndexFileName(i);
            return;
        }
    }
}
