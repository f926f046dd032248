#include "core/CQuilleryDoc.h"

#include "core/DatabaseReader.h"
#include "core/DatabaseWriter.h"
#include "core/NameText.h"

#include <algorithm>

namespace {

// Display forms of the used ids, joined by ", ". Ids that name no entry are skipped
// rather than trusted.
template <typename Show>
std::string ListText(const NameList& names, const PhotoRecord::IdList& ids, Show show)
{
    std::string text;
    for (int i = 0; i < PhotoRecord::UsedCount(ids); ++i) {
        const int id = ids[static_cast<size_t>(i)];
        if (!names.Contains(id)) continue;
        if (!text.empty()) text += ", ";
        text += show(names.At(id));
    }
    return text;
}

}  // namespace

CQuilleryDoc::CQuilleryDoc() = default;

CQuilleryDoc::~CQuilleryDoc() = default;

void CQuilleryDoc::Clear()
{
    m_photos.clear();
    m_fileNameIndex.clear();
    m_persons.Clear();
    m_events.Clear();
    m_locations.Clear();
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
    IndexFileName(record->GetFileName(), index);
    m_photos.push_back(std::move(record));
    return index;
}

void CQuilleryDoc::RemovePhoto(int index)
{
    if (index < 0 || index >= PhotoCount()) return;
    const auto position = m_photos.begin() + index;
    UnindexFileName((*position)->GetFileName(), index);
    m_photos.erase(position);
    // Closing the gap moves every later record down by one.
    for (auto& [name, indices] : m_fileNameIndex)
        for (int& i : indices)
            if (i > index) --i;
}

int CQuilleryDoc::FindPhotoByFileName(std::string_view fileName) const
{
    const auto found = m_fileNameIndex.find(fileName);
    return found == m_fileNameIndex.end() ? -1 : found->second.front();
}

std::string CQuilleryDoc::PersonsText(const PhotoRecord& record) const
{
    return ListText(m_persons, record.personIds, DisplayName);
}

std::string CQuilleryDoc::EventsText(const PhotoRecord& record) const
{
    return ListText(m_events, record.eventIds, [](const std::string& name) { return name; });
}

std::string CQuilleryDoc::LocationsText(const PhotoRecord& record) const
{
    return ListText(m_locations, record.locationIds, DisplayName);
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

void CQuilleryDoc::FileNameChanging(const PhotoRecord& record, const std::string& newName)
{
    if (record.GetFileName() == newName) return;
    const int index = IndexOf(record);
    if (index < 0) return;
    UnindexFileName(record.GetFileName(), index);
    IndexFileName(newName, index);
}

int CQuilleryDoc::IndexOf(const PhotoRecord& record) const
{
    const auto found = m_fileNameIndex.find(record.GetFileName());
    if (found == m_fileNameIndex.end()) return -1;
    for (const int index : found->second)
        if (m_photos[static_cast<size_t>(index)].get() == &record) return index;
    return -1;
}

void CQuilleryDoc::IndexFileName(const std::string& fileName, int index)
{
    auto& indices = m_fileNameIndex[fileName];
    indices.insert(std::lower_bound(indices.begin(), indices.end(), index), index);
}

void CQuilleryDoc::UnindexFileName(const std::string& fileName, int index)
{
    const auto found = m_fileNameIndex.find(fileName);
    if (found == m_fileNameIndex.end()) return;
    auto& indices = found->second;
    indices.erase(std::remove(indices.begin(), indices.end(), index), indices.end());
    if (indices.empty()) m_fileNameIndex.erase(found);
}
