#include "cli/DumpCommand.h"

#include "cli/JsonLine.h"
#include "cli/ToolOption.h"
#include "core/CQuilleryDoc.h"
#include "core/TextFinder.h"

#include <optional>

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
           "reader's message on stderr when the library cannot be read. With --find, only\n"
           "the photos whose picture file name, notes or names contain TEXT, ignoring\n"
           "case, as the program's find field in the toolbar lists them.";
}

int DumpCommand::Run(const std::vector<std::string>& arguments, ToolContext& context)
{
    std::string path;
    std::optional<std::string> find;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (auto text = ToolOption::Value(arguments, i, "--find")) find = std::move(text);
        else if (arguments[i].rfind("--", 0) == 0 || !path.empty()) return kUsage;
        else path = arguments[i];
    }
    if (path.empty()) return kUsage;
    CQuilleryDoc catalog;
    if (!catalog.ReadDatabase(path, context.prompter)) return kFailure;
    std::vector<const PhotoRecord*> photos;
    for (int i = 0; i < catalog.PhotoCount(); ++i) photos.push_back(&catalog.PhotoAt(i));
    if (find) photos = TextFinder(catalog, photos).Find(*find);
    for (const PhotoRecord* photo : photos) context.out << PhotoLine(catalog, *photo) << '\n';
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
