#pragma once

#include "core/PhotoRecord.h"

#include "base/FileDescriptor.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class CQuilleryDoc;
class NameList;
class Prompter;

// Fills a catalog from a ".pdb" file. The file is read in chunks of bounded size and
// parsed a line at a time where it lies, so memory holds the catalog and one chunk,
// not the whole file beside it. Every field is taken whole up to its '|', however
// long, so that one long note never shifts the fields of the lines after it.
class DatabaseReader {
public:
    // Large enough that the read calls cost nothing beside the parsing, small beside any
    // library worth measuring.
    static constexpr size_t kChunkSize = size_t{1} << 20;

    // `chunkSize` is the bytes read at a time; tests make it small to cut lines anywhere.
    DatabaseReader(CQuilleryDoc& catalog, Prompter& prompter, size_t chunkSize = kChunkSize);

    // Clears the catalog and reads the file into it. On a format error the records
    // of the lines before stay and the catalog remains untitled; when memory runs out
    // it is left empty and untitled. Every failure but an input error shows a message
    // captioned with the path.
    bool Read(const std::string& path);

private:
    enum class LineResult { Read, EndOfFile, Failed };

    bool ReadAndParse(const std::string& path);
    LineResult ReadLine();
    bool HoldWholeLine();
    bool ReadMore();
    void AddRecord(const std::array<std::string_view, 6>& fields);
    std::optional<std::string_view> NextField();
    bool AtEndOfLine();
    std::string_view TextMode(std::string_view raw);
    bool OnlyLineEndsLeft() const;
    bool Fail(std::string_view message);
    static void SplitNames(std::string_view field, NameList& names, PhotoRecord::IdList& ids);
    static std::string DecodeNotes(std::string_view field);

    CQuilleryDoc& m_catalog;
    Prompter& m_prompter;
    std::string m_path;
    const size_t m_chunkSize;
    FileDescriptor m_file;
    std::unique_ptr<char[]> m_buffer;
    size_t m_capacity = 0;
    bool m_atEnd = false;
    // The part of the file in the buffer that is not yet parsed starts at m_position.
    std::string_view m_text;
    size_t m_position = 0;
    std::string m_scratch;
    bool m_lineHasCarriageReturn = true;
};
