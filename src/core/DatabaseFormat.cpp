#include "core/DatabaseFormat.h"

#include <cstring>

namespace DatabaseFormat {

std::string NotEnoughMemory(const std::string& path)
{
    return std::string(kNotEnoughMemory) + path;
}

void AppendTextMode(std::string& out, std::string_view text)
{
    for (;;) {
        const size_t lineFeed = text.find('\n');
        if (lineFeed == std::string_view::npos) break;
        out.append(text.data(), lineFeed);
        out += "\r\n";
        text.remove_prefix(lineFeed + 1);
    }
    out.append(text);
}

void RemoveCarriageReturns(std::string& text)
{
    char* const begin = text.data();
    char* const end = begin + text.size();
    char* write = begin;
    const char* read = begin;
    while (read < end) {
        const auto* carriageReturn =
            static_cast<const char*>(std::memchr(read, '\r', static_cast<size_t>(end - read)));
        const char* stop = carriageReturn != nullptr ? carriageReturn : end;
        const auto length = static_cast<size_t>(stop - read);
        if (write != read) std::memmove(write, read, length);
        write += length;
        read = stop;
        if (read == end) break;
        // A CR before an LF is dropped; any other CR is kept.
        if (read + 1 < end && read[1] == '\n') ++read;
        else *write++ = *read++;
    }
    text.resize(static_cast<size_t>(write - begin));
}

std::string TemporaryPath(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string temporary = path;
    temporary.insert(nameStart, 1, '~');
    return temporary;
}

// The backup must stay in the database's folder: a rename cannot cross file systems,
// and a backup elsewhere would sit where the user never looks. "Family.pdb" gives
// "Family.bak" as the Windows program named it; a name of three characters or fewer
// has no extension to replace, and a name already ending in "bak" would give the
// database's own name, so both get ".bak" appended instead.
std::string BackupPath(const std::string& path)
{
    constexpr std::string_view kBak = "bak";
    const std::string_view name = std::string_view(path).substr(path.rfind('/') + 1);
    if (name.size() <= kBak.size() || name.ends_with(kBak)) return path + ".bak";
    return path.substr(0, path.size() - kBak.size()) + std::string(kBak);
}

}  // namespace DatabaseFormat
