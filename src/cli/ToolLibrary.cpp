#include "cli/ToolLibrary.h"

#include "base/FileOps.h"
#include "cli/ToolCommand.h"
#include "core/Prompter.h"
#include "store/Library.h"
#include "store/LibraryLock.h"

bool ToolLibrary::OpenExisting(const std::string& path, Library& library,
                               std::chrono::milliseconds lockWait, ToolContext& context)
{
    if (!FileOps::Exists(path)) {
        context.prompter.Message("Unable to open the library " + path);
        return false;
    }
    switch (library.OpenOrCreate(path, context.prompter, lockWait)) {
    case Library::Outcome::Done:
        return true;
    case Library::Outcome::Locked:
        context.prompter.Message(LibraryLock::InUseMessage(path));
        return false;
    case Library::Outcome::FoldersDeclined:
        context.prompter.Message("Unable to create the picture folders beside " + path);
        return false;
    case Library::Outcome::ReadFailed:
    case Library::Outcome::CannotCreate:
    case Library::Outcome::NotRecovered:
        break;
    }
    return false;
}
