#include "core/NotesText.h"

namespace {

std::string Replaced(std::string_view text, std::string_view from, std::string_view to)
{
    std::string result;
    result.reserve(text.size());
    size_t start = 0;
    for (size_t at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
        result.append(text, start, at - start);
        result += to;
        start = at + from.size();
    }
    result.append(text, start);
    return result;
}

} // namespace

std::string NotesForEditor(std::string_view stored) { return Replaced(stored, "\r\n", "\n"); }

std::string NotesFromEditor(std::string_view edited) { return Replaced(edited, "\n", "\r\n"); }
