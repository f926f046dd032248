#include "cli/ImportCommand.h"

#include "base/FileOps.h"
#include "cli/ProgressLine.h"
#include "cli/TerminalAnswers.h"
#include "cli/ToolLibrary.h"
#include "store/Library.h"
#include "store/LibraryImporter.h"

#include <optional>
#include <ostream>

namespace {

struct Request {
    std::string target;
    std::string source;
    std::optional<PromptAnswer> duplicates;
    std::optional<PromptAnswer> replace;
};

std::optional<Request> Parse(const std::vector<std::string>& arguments, ToolContext& context)
{
    Request request;
    for (const std::string& argument : arguments) {
        // The questions' own answers: Yes skips a duplicate, Yes replaces files.
        if (argument == "--skip-duplicates" || argument == "--add-duplicates") {
            if (request.duplicates) return std::nullopt;
            request.duplicates =
                argument == "--skip-duplicates" ? PromptAnswer::Yes : PromptAnswer::No;
        } else if (argument == "--replace-files" || argument == "--keep-files") {
            if (request.replace) return std::nullopt;
            request.replace = argument == "--replace-files" ? PromptAnswer::Yes : PromptAnswer::No;
        } else if (argument.rfind("--", 0) == 0) {
            context.err << "quillery-tool import: unknown option: " << argument << '\n';
            return std::nullopt;
        } else if (request.target.empty()) {
            request.target = argument;
        } else if (request.source.empty()) {
            request.source = argument;
        } else {
            return std::nullopt;
        }
    }
    if (request.source.empty()) return std::nullopt;
    return request;
}

} // namespace

std::string_view ImportCommand::Description() const
{
    return "Merges the library SRC.pdb into DEST.pdb as the program's Import does: its names\n"
           "where missing, its photos appended, their picture files copied, and saves\n"
           "DEST.pdb. A photo whose picture file name DEST.pdb has already is skipped or\n"
           "added again as the option says; picture files already there are replaced or\n"
           "kept as the option says. Without an option the question is asked on the\n"
           "terminal; with no terminal duplicates are skipped and files kept.";
}

int ImportCommand::Run(const std::vector<std::string>& arguments, ToolContext& context)
{
    const std::optional<Request> request = Parse(arguments, context);
    if (!request) return kUsage;
    if (!FileOps::Exists(request->source)) {
        context.prompter.Message("Unable to open the library " + request->source);
        return kFailure;
    }
    Library library;
    if (!ToolLibrary::OpenExisting(request->target, library, m_lockWait, context)) return kFailure;

    TerminalAnswers answers(context.prompter, m_terminal, context.err);
    const std::string_view duplicate = LibraryImporter::kDuplicateQuestion;
    const std::string_view replace = LibraryImporter::kReplaceQuestion;
    if (request->duplicates) answers.Given(duplicate, *request->duplicates);
    if (request->replace) answers.Given(replace, *request->replace);
    answers.WithoutTerminal(duplicate, PromptAnswer::Yes);
    answers.WithoutTerminal(replace, PromptAnswer::No);
    if (m_terminal == nullptr && (!request->duplicates || !request->replace)) {
        context.err << "quillery-tool import: no terminal to ask:"
                    << (request->duplicates ? "" : " duplicate photos are skipped;")
                    << (request->replace ? "" : " existing picture files are kept;") << '\n';
    }

    ProgressLine progress(context.err, m_terminal != nullptr);
    const LibraryImporter::Result result =
        LibraryImporter::Import(library, request->source, answers, progress);
    progress.ClearProgress();
    // What was merged before a cancel is saved too, as the program shows it.
    if (!library.Save(context.prompter)) return kFailure;
    context.out << "Imported " << result.photosAdded << " photos, skipped " << result.photosSkipped
                << ", added " << result.namesAdded << " names, copied " << result.filesCopied
                << " picture files\n";
    return result.outcome == LibraryImporter::Outcome::Done ? kSuccess : kFailure;
}
