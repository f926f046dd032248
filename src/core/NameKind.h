#pragma once

// Which of the catalog's three name lists; the numbers are the ones the commands
// have always passed.
enum class NameKind : int { Persons = 1, Events = 2, Locations = 3 };
