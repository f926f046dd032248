#pragma once

#include <string>
#include <string_view>

// Numbers kept as decimal texts in the settings, read the way C atoi reads them.
namespace DecimalText {

// Leading blanks and one sign are skipped, then digits are read up to the first
// other character; no digits give 0. Unlike atoi, a number too large for an int
// saturates instead of being undefined.
int Atoi(std::string_view text);

// The text as typed when its number lies in [minimum, maximum], else the nearer
// bound written in decimal. An empty text reads as 0 and so passes when 0 is in range.
std::string Clamp(const std::string& text, int minimum, int maximum);

}  // namespace DecimalText
