#include "NamedRecord.h"

#include "core/CQuilleryDoc.h"
#include "core/TextFinder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

class TextFinderPhotos : public ::testing::Test {
  protected:
    void SetUp() override
    {
        const auto idOf = [this](NameKind kind, const char* name) {
            const int id = m_catalog.FindName(kind, name);
            return id >= 0 ? id : m_catalog.AddName(kind, name);
        };
        Add(NamedRecord("Beach", 1, 1, 1999, {"Smith, John"}, {}, {}, idOf), "");
        Add(NamedRecord("garden", 1, 1, 1999, {}, {"Summer Party"}, {"France, Paris"}, idOf),
            "Roses\r\nand tulips");
        Add(NamedRecord("M\xFCller", 1, 1, 1999, {}, {}, {}, idOf), "Caf\xE9 in K\xF6ln");
        Add(NamedRecord("utf", 1, 1, 1999, {"M\xC3\xBCller, Anna"}, {}, {}, idOf), "");
        Add(NamedRecord("tulip", 1, 1, 1999, {}, {}, {}, idOf), "");
        for (int i = 0; i < m_catalog.PhotoCount(); ++i)
            m_rows.push_back(&m_catalog.PhotoAt(i));
    }

    void Add(PhotoRecord record, const std::string& notes)
    {
        record.SetNotes(notes);
        m_catalog.AddPhoto(record);
    }

    static Names FileNames(const std::vector<const PhotoRecord*>& photos)
    {
        Names names;
        for (const PhotoRecord* photo : photos)
            names.push_back(photo->GetFileName());
        return names;
    }

    CQuilleryDoc m_catalog;
    std::vector<const PhotoRecord*> m_rows;
};

TEST_F(TextFinderPhotos, MatchesFileNameNotesAndNamesIgnoringCase)
{
    const TextFinder finder(m_catalog, m_rows);
    const struct {
        const char* typed;
        Names kept;
    } cases[] = {
        {"", {"Beach", "garden", "M\xFCller", "utf", "tulip"}},
        {"BEACH", {"Beach"}},
        {"tulip", {"garden", "tulip"}},
        {"roses\r\nand", {"garden"}},
        {"john smith", {"Beach"}}, // a person as shown
        {"smith, jo", {"Beach"}},  // and as stored
        {"paris fr", {"garden"}},
        {"party", {"garden"}},
        // Typed as UTF-8, found in Windows-1252 and UTF-8 texts alike.
        {"M\xC3\x9Cller", {"M\xFCller", "utf"}},
        {"K\xC3\x96LN", {"M\xFCller"}},
        {"CAF\xC3\x89", {"M\xFCller"}},
        // No match runs from one photo's text into the next one's, nor from the file
        // name into the notes.
        {"gardenroses", {}},
        {"nothing", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileNames(finder.Find(c.typed)), c.kept) << c.typed;
}

TEST_F(TextFinderPhotos, SeesNamesEditedAfterItWasMadeAndKeepsTheGivenOrder)
{
    const std::vector<const PhotoRecord*> reversed(m_rows.rbegin(), m_rows.rend());
    const TextFinder finder(m_catalog, reversed);
    EXPECT_EQ(FileNames(finder.Find("t")), (Names{"tulip", "utf", "garden", "Beach"}));
    m_catalog.ReplaceName(NameKind::Persons, m_catalog.FindName(NameKind::Persons, "Smith, John"),
                          "Jones, Tom");
    EXPECT_EQ(FileNames(finder.Find("jones")), Names{"Beach"});
    EXPECT_EQ(FileNames(finder.Find("smith")), Names{});
}

} // namespace
