#pragma once

#include "core/NameKind.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The names of one kind chosen for a photo, by whichever front chose them (the photo
// dialog, quillery-tool). A record refers to each name once and holds at most
// PhotoRecord::kMaxNames of a kind; more are refused as a whole rather than cut, so no
// chosen name is dropped without a word.
class NameChoice {
public:
    // "persons", "events", "locations": the kind as the messages name it.
    static std::string_view KindWord(NameKind kind);
    // The names with repeats dropped, each kept where it came first.
    static std::vector<std::string> WithoutRepeats(const std::vector<std::string>& names);
    // The message refusing the names, or nothing when a photo can hold them; a name
    // given twice counts once.
    static std::optional<std::string> Refusal(NameKind kind, const std::vector<std::string>& names);
    // The message refusing the first name typed as a front's argument that no list
    // may hold (empty, or holding a separator of the database file); nothing when all
    // can be stored.
    static std::optional<std::string> Unusable(const std::vector<std::string>& names);
};
