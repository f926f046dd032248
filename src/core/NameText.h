#pragma once

#include <string>
#include <string_view>

// Stored names: a person is "Last, First", a location "State or Country, City", an
// event as typed. These helpers turn them into what the views show and compose
// them from what the name dialogs ask.

// "Smith, John" shows as "John Smith", "France, Paris" as "Paris France"; blanks
// at both ends are dropped. Not for events: they show as stored.
std::string DisplayName(std::string_view stored);

// Only a last name gives "Last " (trailing blank), only a first name " First", so
// the two never collide.
std::string ComposePersonName(std::string_view last, std::string_view first);

// Without a city the state or country stands alone.
std::string ComposeLocationName(std::string_view stateOrCountry, std::string_view city);

// True when the text holds '|' or '^', the separators of the database file, which
// no name may contain.
bool HasNameSeparator(std::string_view text);
