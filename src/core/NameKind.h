#pragma once

#include <array>
#include <cstddef>

// Which of the catalog's three name lists is meant; the numbers are the ones the
// commands have always passed.
enum class NameKind : int { Persons = 1, Events = 2, Locations = 3 };

// Every kind, in the order the database file holds their fields.
inline constexpr std::array<NameKind, 3> kNameKinds{NameKind::Persons, NameKind::Events,
                                                    NameKind::Locations};

// Position of a kind in per-kind storage (0, 1, 2).
constexpr size_t KindIndex(NameKind kind) { return static_cast<size_t>(kind) - 1; }
