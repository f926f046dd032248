#pragma once

#include "core/NameKind.h"

#include <array>
#include <span>
#include <string>
#include <vector>

class Library;
class PhotoRecord;

// Adds chosen persons, events and locations to several photos at once; the program's
// "Add names to selected photos..." and quillery-tool's tag share it. A photo takes
// all the chosen names or none: one that would hold more than PhotoRecord::kMaxNames
// of a kind keeps its names as they were and is reported, so no photo is left with
// part of a choice. Neither saves: the caller saves once for the whole selection.
class PhotoTagger {
public:
    // Stored forms, by kind in the order of kNameKinds.
    using Names = std::array<std::vector<std::string>, kNameKinds.size()>;

    struct Result {
        // Photos that took at least one name, in the order given.
        std::vector<const PhotoRecord*> tagged;
        // Photos that could not take the names within the limit.
        std::vector<const PhotoRecord*> full;
    };

    // Names missing from the library's lists are added when a photo takes them; a
    // name a photo has already is not given to it again. Each photo changed is
    // announced through the library.
    static Result Tag(Library& library, std::span<const PhotoRecord* const> photos,
                      const Names& names);

    // The message that lists the photos that could not take the names.
    static std::string FullMessage(std::span<const PhotoRecord* const> full);
};
