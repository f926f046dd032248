#include "cli/AddCommand.h"

#include "cli/ProgressLine.h"
#include "cli/ToolOption.h"
#include "core/CQuilleryDoc.h"
#include "core/NameChoice.h"
#include "core/NotesText.h"
#include "core/Prompter.h"
#include "imaging/Imaging.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/LibraryLock.h"
#include "store/PhotoAdder.h"
#include "store/PictureLoadFailure.h"
#include "store/PictureStore.h"
#include "store/ProfileSettings.h"

#include <algorithm>
#include <cstdlib>
#include <deque>
#include <ostream>
#include <system_error>

struct AddCommand::LoadedImage {
    Picture picture;
    int code = 0;
    std::optional<std::string> cameraDate;
};

namespace {

bool OverlapSwitchedOff()
{
    const char* value = std::getenv(AddCommand::kNoOverlapVariable);
    return value != nullptr && std::string_view(value) != "0";
}

// A command line may break lines with "\n" or "\r\n"; read as an editor would see
// them first, both are stored as one "\r\n", as the photo dialog stores them.
std::string NotesWithBreaks(const std::string& text)
{
    return NotesFromEditor(NotesForEditor(text));
}

}  // namespace

std::string_view AddCommand::Description() const
{
    return "Adds each image (BMP, GIF, JPEG, TIFF, PCX or PNG) as a photo, writing its\n"
           "versions into the picture folders beside the library, and saves the library\n"
           "once at the end. A library that does not exist yet is created. The picture\n"
           "file name is the image's name without its extension unless --name gives one\n"
           "(for a single image only); the date is --date or the camera's date of a JPEG.\n"
           "Names are given in stored form (\"Smith, John\", \"France, Paris\") and are\n"
           "added to the library's lists when missing. Stops at the first image that\n"
           "cannot be added, with its message on stderr and exit status 1, keeping the\n"
           "photos added before it. Prints one line per photo once the library is saved.\n"
           "Each image is read while the photo before it is written; on a terminal a\n"
           "progress line follows the images, otherwise one line per image on stderr.\n"
           "Leftovers of a save that was cut short are mended first: the only complete\n"
           "one stands in for a missing library file. While another Quillery has the\n"
           "library open, waits up to 10 seconds for it, then fails.";
}

int AddCommand::Run(const std::vector<std::string>& arguments, ToolContext& context)
{
    const std::optional<Request> request = Parse(arguments, context);
    if (!request) return kUsage;
    if (!NamesFit(*request, context)) return kFailure;
    Library library;
    QObject::connect(&library, &Library::leftoversMended, [&context](const std::string& note) {
        context.err << "quillery-tool add: " << note << '\n';
    });
    if (!OpenLibrary(request->library, library, context)) return kFailure;
    if (!AddNames(*request, library, context)) return kFailure;

    std::unique_ptr<ProfileSettings> ownSettings;
    if (!m_settings) ownSettings = std::make_unique<ProfileSettings>();
    const Settings& settings = m_settings ? *m_settings : *ownSettings;
    std::vector<std::string> report;
    const bool added = AddImages(*request, library, settings, context, report);
    // Whatever was added before a failure is saved, so the library and its picture
    // folders stay in step. A photo counts as added only once the library file holds
    // it, so its line waits for the save.
    if (library.IsModified() && !library.Save(context.prompter)) {
        return kFailure;
    }
    for (const std::string& line : report) context.out << line << '\n';
    return added ? kSuccess : kFailure;
}

std::optional<AddCommand::Request> AddCommand::Parse(const std::vector<std::string>& arguments,
                                                     ToolContext& context)
{
    Request request;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.rfind("--", 0) != 0) {
            (request.library.empty() ? request.library : request.images.emplace_back()) = argument;
            continue;
        }
        if (auto value = ToolOption::Value(arguments, i, "--name")) request.name = *value;
        else if (auto date = ToolOption::Value(arguments, i, "--date")) request.date = *date;
        else if (auto notes = ToolOption::Value(arguments, i, "--notes")) request.notes = NotesWithBreaks(*notes);
        else if (auto person = ToolOption::Value(arguments, i, "--person")) request.persons.push_back(*person);
        else if (auto event = ToolOption::Value(arguments, i, "--event")) request.events.push_back(*event);
        else if (auto location = ToolOption::Value(arguments, i, "--location")) request.locations.push_back(*location);
        else {
            context.err << "quillery-tool add: unknown option or missing value: " << argument << '\n';
            return std::nullopt;
        }
    }
    if (request.library.empty() || request.images.empty()) return std::nullopt;
    if (request.name && request.images.size() > 1) {
        context.err << "quillery-tool add: --name names one image only\n";
        return std::nullopt;
    }
    return request;
}

bool AddCommand::OpenLibrary(const std::string& path, Library& library,
                             ToolContext& context) const
{
    // The library stays locked until the command ends, so the photos added and the
    // save that records them are never mixed with another program's.
    switch (library.OpenOrCreate(path, context.prompter, m_lockWait)) {
    case Library::Outcome::Done: return true;
    case Library::Outcome::CannotCreate:
        context.prompter.Message("Unable to create the library " + path);
        return false;
    case Library::Outcome::FoldersDeclined:
        context.prompter.Message("Unable to create the picture folders beside " + path);
        return false;
    case Library::Outcome::Locked:
        context.prompter.Message(LibraryLock::InUseMessage(path));
        return false;
    case Library::Outcome::NotRecovered:
        context.prompter.Message("Nothing was added: " + path +
                                 " is missing and the files a cut-short save left were not used");
        return false;
    case Library::Outcome::ReadFailed: break;
    }
    return false;
}

// Checked before the library is opened, so a refusal leaves no file behind, not even a
// new empty library.
bool AddCommand::NamesFit(const Request& request, ToolContext& context)
{
    for (const auto& [kind, names] : {std::pair{NameKind::Persons, &request.persons},
                                      std::pair{NameKind::Events, &request.events},
                                      std::pair{NameKind::Locations, &request.locations}}) {
        if (const auto refusal = NameChoice::Refusal(kind, *names)) {
            context.prompter.Message(*refusal);
            return false;
        }
    }
    return true;
}

bool AddCommand::AddNames(const Request& request, Library& library, ToolContext& context)
{
    const auto check = [&](const std::vector<std::string>& names) {
        const auto unusable = NameChoice::Unusable(names);
        if (unusable) context.prompter.Message(*unusable);
        return !unusable;
    };
    if (!check(request.persons) || !check(request.events) || !check(request.locations)) return false;
    const auto add = [&](NameKind kind, const std::vector<std::string>& names) {
        for (const std::string& name : names)
            if (library.Catalog().FindName(kind, name) < 0) library.AddName(kind, name);
    };
    add(NameKind::Persons, request.persons);
    add(NameKind::Events, request.events);
    add(NameKind::Locations, request.locations);
    return true;
}

bool AddCommand::AddImages(const Request& request, Library& library, const Settings& settings,
                           ToolContext& context, std::vector<std::string>& report) const
{
    const size_t total = request.images.size();
    const bool cameraDate = !request.date.has_value();
    const bool overlap = total > 1 && !OverlapSwitchedOff();
    ProgressLine progress(context.err, m_terminal);
    // Decoding is most of a photo's work: with two images read ahead, both cores decode
    // while this thread writes the versions of the photo before them.
    std::deque<std::future<LoadedImage>> ahead;
    size_t started = 0;
    const auto readAhead = [&](size_t upTo) {
        for (; started < std::min(total, upTo); ++started)
            ahead.push_back(StartLoading(request.images[started], cameraDate, overlap));
    };
    for (size_t i = 0; i < total; ++i) {
        const std::string& image = request.images[i];
        if (m_terminal) {
            progress.ShowProgress("Adding " + image, static_cast<int>(i), static_cast<int>(total));
        } else if (total > 1) {
            context.err << "Adding " << i + 1 << " of " << total << ": " << image << '\n';
        }
        readAhead(i + 1);
        LoadedImage loaded = ahead.front().get();
        ahead.pop_front();
        // Several pictures in memory at once may be more than there is; the one that
        // found none is read again alone, once the others have let go of their memory.
        if (overlap && loaded.code == img::kErrNoMemory && i > 0) {
            ahead.clear();
            started = i + 1;
            loaded = StartLoading(image, cameraDate, false).get();
        }
        if (overlap) readAhead(i + 1 + kReadAhead);
        if (auto failure = AddImage(request, image, std::move(loaded), library, settings, report)) {
            progress.ClearProgress();
            context.prompter.Message(*failure);
            return false;
        }
    }
    progress.ClearProgress();
    return true;
}

std::future<AddCommand::LoadedImage> AddCommand::StartLoading(const std::string& image,
                                                              bool cameraDate, bool overlap)
{
    // The file is only read: a kill while it is being read loses nothing.
    auto load = [image, cameraDate] {
        LoadedImage loaded;
        loaded.code = loaded.picture.LoadFile(image);
        if (cameraDate && loaded.picture.HasPicture())
            loaded.cameraDate = img::ReadExifDateTaken(image);
        return loaded;
    };
    if (overlap) {
        try {
            return std::async(std::launch::async, load);
        } catch (const std::system_error&) {
            // No thread to be had: the image is read in its turn.
        }
    }
    return std::async(std::launch::deferred, load);
}

std::optional<std::string> AddCommand::AddImage(const Request& request, const std::string& image,
                                                LoadedImage loaded, Library& library,
                                                const Settings& settings,
                                                std::vector<std::string>& report)
{
    const auto failure = [&](std::string_view message) { return image + ": " + std::string(message); };
    Picture& picture = loaded.picture;
    if (!picture.HasPicture()) return failure(LoadFailureMessage(loaded.code));

    PhotoEntry entry{request.name.value_or(PhotoAdder::SuggestedName(image)), {}, request.notes,
                     request.persons, request.events, request.locations};
    if (request.date) {
        entry.dateText = *request.date;
    } else if (loaded.cameraDate) {
        entry.dateText = PhotoAdder::DateFromExif(*loaded.cameraDate).value_or(std::string());
    }
    PhotoAdder adder(library, settings);
    const PhotoAdder::Verdict verdict = adder.Check(entry, PhotoAdder::Mode::Add);
    if (verdict.outcome == PhotoAdder::Verdict::Outcome::EmptyName) {
        return failure("the picture file name is empty");
    }
    if (!verdict.Accepted()) return failure(verdict.message);

    Picture thumbnail;
    if (const int code = PhotoAdder::MakeThumbnail(picture, thumbnail); code != Picture::kOk) {
        return failure(FailureMessage({PhotoVersion::Thumbnail, VersionFailure::Step::Resize, code}));
    }
    const PhotoAdder::AddResult added =
        adder.Add(entry, picture, thumbnail, [](const std::string&) {});
    if (added.failure) return failure(FailureMessage(*added.failure));
    report.push_back("Added \"" + entry.fileName + "\" (" + entry.dateText + ") from " + image);
    return std::nullopt;
}
