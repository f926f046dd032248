#include "cli/TagCommand.h"

#include "cli/ToolLibrary.h"
#include "cli/ToolOption.h"
#include "core/CQuilleryDoc.h"
#include "core/NameChoice.h"
#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "store/Library.h"
#include "store/PhotoTagger.h"

#include <algorithm>
#include <optional>
#include <ostream>

namespace {

struct Request {
    std::string library;
    std::vector<std::string> photos;
    PhotoTagger::Names names;
};

std::optional<Request> Parse(const std::vector<std::string>& arguments, ToolContext& context)
{
    static constexpr std::pair<NameKind, std::string_view> kOptions[] = {
        {NameKind::Persons, "--person"},
        {NameKind::Events, "--event"},
        {NameKind::Locations, "--location"}};
    Request request;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0) {
            (request.library.empty() ? request.library : request.photos.emplace_back()) = argument;
            continue;
        }
        bool taken = false;
        for (const auto& [kind, option] : kOptions) {
            if (auto value = ToolOption::Value(arguments, i, option)) {
                request.names[KindIndex(kind)].push_back(*value);
                taken = true;
                break;
            }
        }
        if (!taken) {
            context.err << "quillery-tool tag: unknown option or missing value: " << argument
                        << '\n';
            return std::nullopt;
        }
    }
    const bool noName = std::all_of(request.names.begin(), request.names.end(),
                                    [](const auto& names) { return names.empty(); });
    if (request.library.empty() || request.photos.empty()) return std::nullopt;
    if (noName) {
        context.err << "quillery-tool tag: give at least one --person, --event or --location\n";
        return std::nullopt;
    }
    return request;
}

// Checked before the library is opened, so a refused name leaves it untouched.
bool NamesUsable(const PhotoTagger::Names& names, Prompter& prompter)
{
    for (const NameKind kind : kNameKinds) {
        auto refusal = NameChoice::Unusable(names[KindIndex(kind)]);
        if (!refusal) refusal = NameChoice::Refusal(kind, names[KindIndex(kind)]);
        if (refusal) {
            prompter.Message(*refusal);
            return false;
        }
    }
    return true;
}

} // namespace

std::string_view TagCommand::Description() const
{
    return "Adds the names to every photo with one of these picture file names (all the\n"
           "photos that share a name) and saves the library once. Names are given in\n"
           "stored form (\"Smith, John\", \"France, Paris\") and are added to the library's\n"
           "lists when missing; a name a photo has already is not added again. A photo\n"
           "that would hold more than 16 names of a kind is left as it was and named on\n"
           "stderr; the others are tagged and saved, and the exit status is 1. A picture\n"
           "file name that no photo has is refused and nothing changes. Prints one line\n"
           "per photo tagged. While another Quillery has the library open, waits up to\n"
           "10 seconds for it.";
}

int TagCommand::Run(const std::vector<std::string>& arguments, ToolContext& context)
{
    const std::optional<Request> request = Parse(arguments, context);
    if (!request) return kUsage;
    if (!NamesUsable(request->names, context.prompter)) return kFailure;
    Library library;
    QObject::connect(&library, &Library::leftoversMended, [&context](const std::string& note) {
        context.err << "quillery-tool tag: " << note << '\n';
    });
    if (!ToolLibrary::OpenExisting(request->library, library, m_lockWait, context)) return kFailure;

    const CQuilleryDoc& catalog = library.Catalog();
    std::vector<const PhotoRecord*> photos;
    for (const std::string& name : request->photos) {
        bool found = false;
        for (int index = 0; index < catalog.PhotoCount(); ++index) {
            const PhotoRecord* photo = &catalog.PhotoAt(index);
            if (photo->GetFileName() != name) continue;
            found = true;
            if (std::find(photos.begin(), photos.end(), photo) == photos.end())
                photos.push_back(photo);
        }
        if (!found) {
            context.prompter.Message("No photo has the picture file name \"" + name + "\"");
            return kFailure;
        }
    }

    const PhotoTagger::Result result = PhotoTagger::Tag(library, photos, request->names);
    if (library.IsModified() && !library.Save(context.prompter)) return kFailure;
    if (!result.full.empty()) context.prompter.Message(PhotoTagger::FullMessage(result.full));
    for (const PhotoRecord* photo : result.tagged)
        context.out << "Tagged \"" << photo->GetFileName() << "\"\n";
    return result.full.empty() ? kSuccess : kFailure;
}
