#include "cli/ExportCommand.h"

#include "base/FileOps.h"
#include "cli/ProgressLine.h"
#include "cli/ToolLibrary.h"
#include "core/CQuilleryDoc.h"
#include "core/DateFilter.h"
#include "core/NameFilter.h"
#include "core/Prompter.h"
#include "store/Library.h"
#include "store/LibraryExporter.h"

#include <array>
#include <optional>
#include <ostream>

namespace {

struct Request {
    std::string source;
    std::string target;
    std::optional<std::string> from;
    std::optional<std::string> to;
    std::array<std::vector<std::string>, kNameKinds.size()> names;
};

std::optional<Request> Parse(const std::vector<std::string>& arguments, ToolContext& context)
{
    Request request;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::optional<std::string>* date = argument == "--from" ? &request.from
                                           : argument == "--to" ? &request.to
                                                                : nullptr;
        std::vector<std::string>* names =
            argument == "--person"     ? &request.names[KindIndex(NameKind::Persons)]
            : argument == "--event"    ? &request.names[KindIndex(NameKind::Events)]
            : argument == "--location" ? &request.names[KindIndex(NameKind::Locations)]
                                       : nullptr;
        if (date != nullptr || names != nullptr) {
            if (++i == arguments.size()) return std::nullopt;
            if (date != nullptr)
                *date = arguments[i];
            else
                names->push_back(arguments[i]);
        } else if (argument.rfind("--", 0) == 0) {
            context.err << "quillery-tool export: unknown option: " << argument << '\n';
            return std::nullopt;
        } else if (request.source.empty()) {
            request.source = argument;
        } else if (request.target.empty()) {
            request.target = argument;
        } else {
            return std::nullopt;
        }
    }
    if (request.target.empty() || request.from.has_value() != request.to.has_value())
        return std::nullopt;
    return request;
}

} // namespace

std::string_view ExportCommand::Description() const
{
    return "Writes the photos of SRC.pdb into a new library DEST.pdb, in their order, and\n"
           "copies their picture files into the picture folders beside it (made when\n"
           "missing). The filters narrow the photos as the program's Filter menu does, one\n"
           "after another: a date range, then any of the persons, of the events, of the\n"
           "locations given. An existing DEST.pdb is replaced only when the export is\n"
           "complete. A picture file that cannot be copied stops the export.";
}

int ExportCommand::Run(const std::vector<std::string>& arguments, ToolContext& context)
{
    const std::optional<Request> request = Parse(arguments, context);
    if (!request) return kUsage;
    Library library;
    if (!ToolLibrary::OpenExisting(request->source, library, m_lockWait, context)) return kFailure;

    const CQuilleryDoc& catalog = library.Catalog();
    std::vector<const PhotoRecord*> photos;
    for (int index = 0; index < catalog.PhotoCount(); ++index)
        photos.push_back(&catalog.PhotoAt(index));
    if (request->from) {
        const std::optional<DateFilter> dates = DateFilter::FromTexts(*request->from, *request->to);
        if (!dates) {
            context.prompter.Message("Not a date range: " + *request->from + " to " + *request->to);
            return kFailure;
        }
        photos = dates->Apply(photos);
    }
    for (const NameKind kind : kNameKinds) {
        const auto& names = request->names[KindIndex(kind)];
        if (!names.empty()) photos = NameFilter(catalog, kind, names).Apply(photos);
    }

    // The tool was told where to export: the folders are made without a question.
    const std::string directory = FileOps::DirectoryOf(FileOps::Absolute(request->target));
    if (!Library::PictureFoldersExist(directory) && !Library::CreatePictureFolders(directory)) {
        context.prompter.Message("Unable to create the picture folders beside " + request->target);
        return kFailure;
    }
    ProgressLine progress(context.err, m_progressOnTerminal);
    const LibraryExporter::Outcome outcome =
        LibraryExporter::Export(library, photos, request->target, context.prompter, progress);
    progress.ClearProgress();
    if (outcome != LibraryExporter::Outcome::Done) return kFailure;
    context.out << "Exported " << photos.size() << " photos to " << request->target << '\n';
    return kSuccess;
}
