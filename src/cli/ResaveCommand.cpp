#include "cli/ResaveCommand.h"

#include "core/CQuilleryDoc.h"
#include "core/Prompter.h"
#include "store/LibraryLock.h"
#include "store/LibraryRecovery.h"

std::string_view ResaveCommand::Description() const
{
    return "Reads the library and writes it back the way Quillery saves it (by way of a\n"
           "temporary file and a backup), so dates come back in their normal form and\n"
           "names that no photo uses are dropped. A backup that a save cut short left in the\n"
           "way is first moved aside to a numbered name. Exits with 1 and the message on stderr\n"
           "when the library cannot be read or written; the file is then left as it was.\n"
           "While another Quillery has the library open, waits up to 10 seconds for it.";
}

int ResaveCommand::Run(const std::vector<std::string>& arguments, ToolContext& context)
{
    if (arguments.size() != 1) return kUsage;
    // Held from the read to the end of the write, so no save of another program's
    // falls in between and is lost.
    const LibraryLock lock = LibraryLock::Take(arguments[0], m_lockWait);
    if (lock.Busy()) {
        context.prompter.Message(LibraryLock::InUseMessage(arguments[0]));
        return kFailure;
    }
    CQuilleryDoc catalog;
    // A library that reads only in part must not be written back: that would drop
    // the photos after the faulty line.
    if (!catalog.ReadDatabase(arguments[0], context.prompter)) return kFailure;
    // A backup that a save cut short left in the way would fail this save and every
    // later one; it is kept under a numbered name instead, as the window does.
    LibraryRecovery recovery(arguments[0]);
    if (recovery.MoveStaleBackupAside())
        context.err << "quillery-tool resave: " << recovery.Notes().front() << '\n';
    return catalog.WriteDatabase(arguments[0], context.prompter) ? kSuccess : kFailure;
}
