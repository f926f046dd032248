#include "core/NameChoice.h"

#include "core/NameText.h"
#include "core/PhotoRecord.h"

#include <algorithm>

std::string_view NameChoice::KindWord(NameKind kind)
{
    switch (kind) {
    case NameKind::Persons: return "persons";
    case NameKind::Events: return "events";
    case NameKind::Locations: return "locations";
    }
    return {};
}

std::vector<std::string> NameChoice::WithoutRepeats(const std::vector<std::string>& names)
{
    // A handful of names: a scan beats building a set.
    std::vector<std::string> kept;
    kept.reserve(names.size());
    for (const std::string& name : names)
        if (std::find(kept.begin(), kept.end(), name) == kept.end()) kept.push_back(name);
    return kept;
}

std::optional<std::string> NameChoice::Refusal(NameKind kind, const std::vector<std::string>& names)
{
    const size_t count = WithoutRepeats(names).size();
    if (count <= static_cast<size_t>(PhotoRecord::kMaxNames)) return std::nullopt;
    const std::string word(KindWord(kind));
    return "A photo can hold at most " + std::to_string(PhotoRecord::kMaxNames) + " " + word +
           ", " + std::to_string(count) + " " + word + " were chosen, please choose fewer";
}

std::optional<std::string> NameChoice::Unusable(const std::vector<std::string>& names)
{
    for (const std::string& name : names) {
        if (name.empty() || HasNameSeparator(name)) {
            return "Input cannot contain either | or ^ characters, and cannot be empty: \"" +
                   name + "\"";
        }
    }
    return std::nullopt;
}
