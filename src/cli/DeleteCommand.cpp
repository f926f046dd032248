#include "cli/DeleteCommand.h"

#include "base/FileOps.h"
#include "cli/ToolLibrary.h"
#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "store/Library.h"
#include "store/LibraryLock.h"
#include "store/PhotoDeleter.h"

#include <algorithm>
#include <optional>
#include <ostream>

namespace {

struct Request {
    std::string library;
    std::vector<std::string> names;
    PhotoDeleter::Files files = PhotoDeleter::Files::Keep;
    bool all = false;
};

std::optional<Request> Parse(const std::vector<std::string>& arguments, ToolContext& context)
{
    Request request;
    for (const std::string& argument : arguments) {
        if (argument == "--with-files") {
            request.files = PhotoDeleter::Files::Delete;
        } else if (argument == "--all") {
            request.all = true;
        } else if (argument.rfind("--", 0) == 0) {
            context.err << "quillery-tool delete: unknown option: " << argument << '\n';
            return std::nullopt;
        } else {
            (request.library.empty() ? request.library : request.names.emplace_back()) = argument;
        }
    }
    if (request.library.empty() || request.names.empty()) return std::nullopt;
    return request;
}

std::vector<const PhotoRecord*> PhotosNamed(const CQuilleryDoc& catalog, const std::string& name)
{
    std::vector<const PhotoRecord*> photos;
    for (int index = 0; index < catalog.PhotoCount(); ++index) {
        if (catalog.PhotoAt(index).GetFileName() == name) photos.push_back(&catalog.PhotoAt(index));
    }
    return photos;
}

}  // namespace

std::string_view DeleteCommand::Description() const
{
    return "Deletes the photos with these picture file names from the library and saves\n"
           "it. With --with-files the library is saved first and then the photos' four\n"
           "picture files are deleted, except those that a remaining photo still names.\n"
           "A name that several photos share is refused with their count unless --all is\n"
           "given, which deletes them all. A name that no photo has is refused too. When a\n"
           "name is refused nothing is deleted. Prints one line per photo deleted.\n"
           "While another Quillery has the library open, waits up to 10 seconds for it.";
}

int DeleteCommand::Run(const std::vector<std::string>& arguments, ToolContext& context)
{
    const std::optional<Request> request = Parse(arguments, context);
    if (!request) return kUsage;
    // The library stays locked from the read to the last file deleted, so no save of
    // another program's comes between.
    Library library;
    QObject::connect(&library, &Library::leftoversMended, [&context](const std::string& note) {
        context.err << "quillery-tool delete: " << note << '\n';
    });
    if (!ToolLibrary::OpenExisting(request->library, library, m_lockWait, context)) return kFailure;

    std::vector<const PhotoRecord*> photos;
    for (const std::string& name : request->names) {
        const std::vector<const PhotoRecord*> named = PhotosNamed(library.Catalog(), name);
        if (named.empty()) {
            context.prompter.Message("No photo has the picture file name \"" + name + "\"");
            return kFailure;
        }
        if (named.size() > 1 && !request->all) {
            context.prompter.Message(std::to_string(named.size()) +
                                     " photos have the picture file name \"" + name +
                                     "\"; give --all to delete them all");
            return kFailure;
        }
        for (const PhotoRecord* photo : named) {
            if (std::find(photos.begin(), photos.end(), photo) == photos.end()) photos.push_back(photo);
        }
    }
    std::vector<std::string> report;
    for (const PhotoRecord* photo : photos) report.push_back("Deleted \"" + photo->GetFileName() + '"');

    const auto save = [&] { return library.Save(context.prompter); };
    const PhotoDeleter::Result result = PhotoDeleter::Delete(library, photos, request->files, save);
    if (result.outcome != PhotoDeleter::Outcome::Done) return kFailure;
    if (request->files == PhotoDeleter::Files::Keep && !save()) return kFailure;

    for (const std::string& line : report) context.out << line << '\n';
    if (request->files == PhotoDeleter::Files::Delete) {
        context.out << "Deleted " << result.filesDeleted << " picture files\n";
        for (const std::string& name : result.sharedNamesKept) {
            context.out << "Kept the picture files of \"" << name
                        << "\": another photo has the same picture file name\n";
        }
    }
    return kSuccess;
}
