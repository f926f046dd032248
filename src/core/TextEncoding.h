#pragma once

#include <string>
#include <string_view>

// Libraries written on Linux hold UTF-8; those written on Windows hold Windows-1252.
// The choice is made for a text as a whole: a text that is valid UTF-8 passes
// unchanged, any other is read byte by byte as Windows-1252 (its undefined bytes keep
// the C1 control of the same value, so none is lost). The stored bytes themselves are
// never changed by showing them.
std::string ToDisplayUtf8(std::string_view bytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or code
// points above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The text as ToDisplayUtf8 shows it, with the capitals of the Latin, Greek and
// Cyrillic letters made small, so a search can ignore case alike in libraries
// written on Windows and on Linux.
std::string FoldCaseForSearch(std::string_view bytes);
// The same appended to `out`, so the texts of a large library can be folded into one
// buffer without a string of their own each.
void AppendFoldedForSearch(std::string_view bytes, std::string& out);
