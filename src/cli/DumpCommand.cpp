#include "cli/DumpCommand.h"

#include "cli/JsonLine.h"
#include "core/CQuilleryDoc.h"

#include <ostream>

namespace {

std::vector<std::string> StoredNames(const CQuilleryDoc& catalog, NameKind kind,
                                     const PhotoRecord& record)
{
    auto names = catalog.UsedNames(kind, record);
    return {names.begin(), names.end()};
}

}  // namespace

std::string_view DumpCommand::Description() const
{
    return "Prints every photo of the library as one JSON object per line, with the keys\n"
           "\"file\", \"date\", \"month\", \"day\", \"year\", \"persons\", \"events\",\n"
           "\"locations\" and \"notes\"; names are lists of their stored forms (\"Smith, John\").\n"
           "Text that is not valid UTF-8 is shown as Windows-1252. Exits with 1 and the\n"
           "reader's message on stderr when the library cannot be read.";
}

int DumpCommand::Run(const std::vector<std::string>& arguments, ToolContext& context)
{
    if (arguments.size() != 1) return kUsage;
    CQuilleryDoc catalog;
    if (!catalog.ReadDatabase(arguments[0], context.prompter)) return kFailure;
    for (int i = 0; i < catalog.PhotoCount(); ++i)
        context.out << PhotoLine(catalog, catalog.PhotoAt(i)) << '\n';
    context.out.flush();
    return context.out ? kSuccess : kFailure;
}

std::string DumpCommand::PhotoLine(const CQuilleryDoc& catalog, const PhotoRecord& record)
{
    JsonLine line;
    line.Add("file", record.GetFileName());
    line.Add("date", record.GetDateText());
    line.Add("month", record.Month());
    line.Add("day", record.Day());
    line.Add("year", record.Year());
    line.Add("persons", StoredNames(catalog, NameKind::Persons, record));
    line.Add("events", StoredNames(catalog, NameKind::Events, record));
    line.Add("locations", StoredNames(catalog, NameKind::Locations, record));
    line.Add("notes", record.GetNotes());
    return line.Text();
}
