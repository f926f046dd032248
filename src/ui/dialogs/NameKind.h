#pragma once

// Which of the catalog's three name lists a dialog works on; the numbers are the
// ones the commands have always passed.
enum class NameKind : int { Persons = 1, Events = 2, Locations = 3 };
