#include "store/PhotoTagger.h"

#include "core/CQuilleryDoc.h"
#include "core/NameChoice.h"
#include "core/PhotoRecord.h"
#include "store/Library.h"

namespace {

// The chosen names of one kind that the photo lacks.
std::vector<std::string> Missing(const CQuilleryDoc& catalog, const PhotoRecord& photo,
                                 NameKind kind, const std::vector<std::string>& chosen)
{
    std::vector<std::string> missing;
    for (std::string& name : NameChoice::WithoutRepeats(chosen)) {
        const int id = catalog.FindName(kind, name);
        if (id < 0 || !photo.HasName(kind, id)) missing.push_back(std::move(name));
    }
    return missing;
}

} // namespace

PhotoTagger::Result PhotoTagger::Tag(Library& library, std::span<const PhotoRecord* const> photos,
                                     const Names& names)
{
    Result result;
    for (const PhotoRecord* photo : photos) {
        Names missing;
        bool fits = true;
        bool changes = false;
        for (const NameKind kind : kNameKinds) {
            missing[KindIndex(kind)] =
                Missing(library.Catalog(), *photo, kind, names[KindIndex(kind)]);
            const size_t count = photo->UsedIds(kind).size() + missing[KindIndex(kind)].size();
            fits = fits && count <= static_cast<size_t>(PhotoRecord::kMaxNames);
            changes = changes || !missing[KindIndex(kind)].empty();
        }
        if (!fits) {
            result.full.push_back(photo);
            continue;
        }
        if (!changes) continue;
        PhotoRecord values(*photo);
        for (const NameKind kind : kNameKinds) {
            PhotoRecord::IdList ids = values.Ids(kind);
            size_t used = values.UsedIds(kind).size();
            for (const std::string& name : missing[KindIndex(kind)]) {
                const int found = library.Catalog().FindName(kind, name);
                ids[used++] = found >= 0 ? found : library.AddName(kind, name);
            }
            values.SetIds(kind, ids);
        }
        library.ChangePhoto(*photo, values);
        result.tagged.push_back(photo);
    }
    return result;
}

std::string PhotoTagger::FullMessage(std::span<const PhotoRecord* const> full)
{
    std::string message = "These photos would hold more than " +
                          std::to_string(PhotoRecord::kMaxNames) +
                          " names of a kind and were left as they were:";
    for (const PhotoRecord* photo : full)
        message += "\n" + photo->GetFileName();
    return message;
}
