#pragma once

#include <string>
#include <string_view>

// The ".pdb" file: one line per photo, six fields each closed by '|', lines ended by
// CR LF as Windows text mode writes them, so libraries move between systems byte
// for byte.
namespace DatabaseFormat {

inline constexpr char kFieldEnd = '|';
inline constexpr char kNameSeparator = '^';
// '|' inside notes is stored as this byte.
inline constexpr char kNotesBar = '\x01';
inline constexpr int kFieldCount = 6;
// The widest name-list field that readers of the format are promised to take.
inline constexpr size_t kMaxNameField = 999;

inline constexpr std::string_view kUnableToOpen = "Unable to open file";
inline constexpr std::string_view kNoFileName = "Database format error - No filename";
inline constexpr std::string_view kNoDate = "Database format error - No Date";
inline constexpr std::string_view kIncorrectEntry = "Database format error - incorrect picture entry";
inline constexpr std::string_view kNotEnoughMemory = "Not enough memory to read ";
inline constexpr std::string_view kUnableToOpenTemporary = "Unable to open temporary output file";
inline constexpr std::string_view kWriteError2 = "Error writing output file #2";
inline constexpr std::string_view kWriteError3 = "Error writing output file #3";
inline constexpr std::string_view kWriteError4 = "Error writing output file #4";

// "Not enough memory to read PATH".
std::string NotEnoughMemory(const std::string& path);

// Appends text as text-mode output writes it: every LF becomes CR LF.
void AppendTextMode(std::string& out, std::string_view text);

// Turns every CR LF into LF in place, as text-mode input does; a lone CR stays.
void RemoveCarriageReturns(std::string& text);

// "dir/~name.pdb" beside "dir/name.pdb".
std::string TemporaryPath(const std::string& path);

// "dir/name.bak" beside "dir/name.pdb"; always in the same folder, never the path itself.
std::string BackupPath(const std::string& path);

}  // namespace DatabaseFormat
