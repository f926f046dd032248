#pragma once

#include <string>
#include <string_view>

// Stored bytes as UTF-8 for showing: valid UTF-8 sequences pass unchanged, every
// other byte is taken as Windows-1252 (libraries written on Windows). The stored
// bytes themselves are never changed by showing them.
std::string ToDisplayUtf8(std::string_view bytes);
