#include "core/TextFinder.h"

#include "core/CQuilleryDoc.h"
#include "core/NameText.h"
#include "core/PhotoRecord.h"
#include "core/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cstring>

TextFinder::TextFinder(const CQuilleryDoc& catalog, std::span<const PhotoRecord* const> photos)
    : m_catalog(catalog), m_photos(photos.begin(), photos.end())
{
    m_ends.reserve(m_photos.size());
    size_t bytes = 0;
    for (const PhotoRecord* photo : m_photos)
        bytes += photo->GetFileName().size() + photo->GetNotes().size() + 2;
    m_folded.reserve(bytes);
    for (const PhotoRecord* photo : m_photos) {
        for (const std::string* text : {&photo->GetFileName(), &photo->GetNotes()}) {
            AppendFoldedForSearch(*text, m_folded);
            m_folded += '\0';
        }
        m_ends.push_back(m_folded.size());
    }
}

std::vector<char> TextFinder::NameHits(NameKind kind, std::string_view folded) const
{
    const NameList& names = m_catalog.Names(kind);
    std::vector<char> hits(static_cast<size_t>(names.Size()), 0);
    std::string name;
    for (int id = 0; id < names.Size(); ++id) {
        const std::string& stored = names.At(id);
        name.clear();
        AppendFoldedForSearch(stored, name);
        bool hit = name.find(folded) != std::string::npos;
        if (!hit && kind != NameKind::Events) {
            name.clear();
            AppendFoldedForSearch(DisplayName(stored), name);
            hit = name.find(folded) != std::string::npos;
        }
        hits[static_cast<size_t>(id)] = hit ? 1 : 0;
    }
    return hits;
}

std::vector<const PhotoRecord*> TextFinder::Find(std::string_view text) const
{
    if (text.empty()) return m_photos;
    const std::string needle = FoldCaseForSearch(text);
    std::vector<char> found(m_photos.size(), 0);
    // glibc's memmem scans many bytes at a time, where a plain find stops at every
    // byte equal to the needle's first, which in text is often.
    const char* const begin = m_folded.data();
    const char* const end = begin + m_folded.size();
    for (const char* at = begin; at < end;) {
        const auto* hit = static_cast<const char*>(
            ::memmem(at, static_cast<size_t>(end - at), needle.data(), needle.size()));
        if (hit == nullptr) break;
        const auto photo = static_cast<size_t>(
            std::upper_bound(m_ends.begin(), m_ends.end(), static_cast<size_t>(hit - begin)) -
            m_ends.begin());
        found[photo] = 1;
        at = begin + m_ends[photo];
    }

    std::array<std::vector<char>, kNameKinds.size()> nameHits;
    for (const NameKind kind : kNameKinds)
        nameHits[KindIndex(kind)] = NameHits(kind, needle);
    const auto hasHitName = [&](const PhotoRecord& photo) {
        return std::any_of(kNameKinds.begin(), kNameKinds.end(), [&](NameKind kind) {
            const std::vector<char>& hits = nameHits[KindIndex(kind)];
            const auto used = photo.UsedIds(kind);
            return std::any_of(used.begin(), used.end(), [&](int32_t id) {
                return id >= 0 && static_cast<size_t>(id) < hits.size() &&
                       hits[static_cast<size_t>(id)];
            });
        });
    };

    std::vector<const PhotoRecord*> kept;
    for (size_t i = 0; i < m_photos.size(); ++i)
        if (found[i] || hasHitName(*m_photos[i])) kept.push_back(m_photos[i]);
    return kept;
}
