#include "core/NameText.h"

namespace {

std::string_view TrimBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

}  // namespace

// The part after the comma normally starts after ", "; a name typed into a file by
// hand as "Smith,John" loses no letter of the first name.
std::string DisplayName(std::string_view stored)
{
    const std::string_view trimmed = TrimBlanks(stored);
    const size_t comma = trimmed.find(',');
    if (comma == std::string_view::npos) return std::string(trimmed);
    std::string_view after = trimmed.substr(comma + 1);
    if (!after.empty() && after.front() == ' ') after.remove_prefix(1);
    std::string display(after);
    display += ' ';
    display += trimmed.substr(0, comma);
    return display;
}

std::string ComposePersonName(std::string_view last, std::string_view first)
{
    std::string name(last);
    if (!last.empty() && !first.empty()) name += ',';
    name += ' ';
    name += first;
    if (last.empty() && first.empty()) name.clear();
    return name;
}

std::string ComposeLocationName(std::string_view stateOrCountry, std::string_view city)
{
    std::string name(stateOrCountry);
    if (!city.empty()) {
        name += ", ";
        name += city;
    }
    return name;
}

bool HasNameSeparator(std::string_view text)
{
    return text.find_first_of("|^") != std::string_view::npos;
}
