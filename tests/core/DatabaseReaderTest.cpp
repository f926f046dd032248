#include "FileBytes.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/CQuilleryDoc.h"
#include "core/DatabaseReader.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

// Each photo as "file|date|person ids|event ids|location ids|notes" on a line, then
// the persons, events and locations, each list joined with '^', separated by '/'.
std::string Dump(const CQuilleryDoc& catalog)
{
    const auto ids = [](const PhotoRecord::IdList& list) {
        std::string text;
        for (int i = 0; i < PhotoRecord::UsedCount(list); ++i) text += (i ? " " : "") + std::to_string(list[size_t(i)]);
        return text;
    };
    const auto names = [](const NameList& list) {
        std::string text;
        for (int i = 0; i < list.Size(); ++i) text += (i ? "^" : "") + list.At(i);
        return text;
    };
    std::string dump;
    for (int i = 0; i < catalog.PhotoCount(); ++i) {
        const PhotoRecord& photo = catalog.PhotoAt(i);
        dump += photo.GetFileName() + "|" + std::string(photo.GetDateText()) + "|" +
                ids(photo.Ids(NameKind::Persons)) + "|" + ids(photo.Ids(NameKind::Events)) + "|" +
                ids(photo.Ids(NameKind::Locations)) + "|" + photo.GetNotes() + "\n";
    }
    return dump + names(catalog.Names(NameKind::Persons)) + "/" +
           names(catalog.Names(NameKind::Events)) + "/" + names(catalog.Names(NameKind::Locations));
}

class DatabaseReaderTest : public testing::Test {
protected:
    // The reader holds a chunk of the file at a time: read through chunks of every small
    // size, lines are cut by the edge of the buffer in every field, between the CR and
    // the LF of a line end and beside lone CRs, and most lines are longer than the
    // buffer. The catalog and the verdict must be those of the file read whole.
    bool Read(const std::string& bytes)
    {
        WriteBytes(m_path, bytes);
        const bool read = m_catalog.ReadDatabase(m_path, m_prompter);
        for (size_t chunk = 1; chunk <= 40; ++chunk) {
            CQuilleryDoc catalog;
            ScriptedPrompter prompter;
            EXPECT_EQ(DatabaseReader(catalog, prompter, chunk).Read(m_path), read) << chunk;
            EXPECT_EQ(Dump(catalog), Dump(m_catalog)) << chunk;
            EXPECT_EQ(prompter.Messages().size(), read ? 0u : 1u) << chunk;
            if (!read && !prompter.Messages().empty()) {
                EXPECT_EQ(prompter.Messages()[0].text, m_prompter.Messages().back().text) << chunk;
            }
        }
        return read;
    }
    void ExpectOneMessage(const std::string& text, const std::string& caption)
    {
        ASSERT_EQ(m_prompter.Messages().size(), 1u);
        const auto& shown = m_prompter.Messages()[0];
        EXPECT_EQ(std::tuple(shown.text, shown.caption, shown.buttons),
                  std::tuple(text, caption, PromptButtons::Ok));
    }

    TempDir m_dir;
    std::string m_path = m_dir.File("Family.pdb");
    ScriptedPrompter m_prompter;
    CQuilleryDoc m_catalog;
};

// Each read replaces what the catalog held.
TEST_F(DatabaseReaderTest, ReadsEveryFieldAsTheFormatSays)
{
    m_catalog.AddName(NameKind::Persons, "Old");
    m_catalog.AddPhoto(PhotoRecord());
    std::string seventeen = "P1";
    for (int i = 2; i <= 17; ++i) seventeen += "^P" + std::to_string(i);
    const std::string name(300, 'n'), person(1500, 'p'), notes(5000, 'x');
    // clang-format off
    const struct {
        const char* label;
        std::string bytes;
        std::string dump;
    } cases[] = {
        {"worked example",
         "beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday|France, Paris|"
         "Day one \x01 sunny|\r\n"
         "garden|1999||Summer holiday|||\r\n",
         "beach01|6/05/1999|0 1|0|0|Day one | sunny\ngarden|1999||0||\n"
         "Smith, John^Doe, Jane/Summer holiday/France, Paris"},
        {"empty file", "", "//"},
        {"last line without CR LF", "a|1999|||||\r\nb|2000|||||", "a|1999||||\nb|2000||||\n//"},
        {"bare LF and blank lines", "a|1999|||||\nb|2000|||||\r\n\r\n\n", "a|1999||||\nb|2000||||\n//"},
        {"dates normalized", "a|01/5/99|||||\r\nb|13/1999|||||\r\nc|6/ab|||||\r\n",
         "a|1/05/1999||||\nb|0||||\nc|0||||\n//"},
        {"names numbered by first appearance",
         "a|1999|A^B^A|E|L||\r\nb|1999|C^B|E2^E|L||\r\n",
         "a|1999|0 1 0|0|0|\nb|1999|2 1|1 0|0|\nA^B^C/E^E2/L"},
        {"sixteen names kept", "a|1999|" + seventeen + "||||\r\n",
         "a|1999|0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15|||\n" +
             seventeen.substr(0, seventeen.rfind('^')) + "//"},
        {"empty name ends the list except first", "a|1999|A^^B|E^|^L||\r\n",
         "a|1999|0|0|0 1|\nA/E/^L"},
        {"bars and CR LF in every field",
         "a|1999||||one\x01two\r\r\nthree\rfour|\r\n"
         "b\r\nc|1999|P\r\nQ|E\rF||x\r\r\ny|\r\nd|1999|P\r|||\r|\r\n",
         "a|1999||||one|two\r\nthree\rfour\nb\nc|1999|0|0||x\r\ny\nd|1999|1|||\r\n"
         "P\nQ^P\r/E\rF/"},
        {"fields taken whole however long",
         name + "|1999|" + person + "|||" + notes + "|\r\nnext|2000|||||\r\n",
         name + "|1999|0|||" + notes + "\nnext|2000||||\n" + person + "//"},
    };
    // clang-format on
    for (const auto& c : cases) {
        m_catalog.SetModified(true);
        EXPECT_TRUE(Read(c.bytes)) << c.label;
        EXPECT_EQ(Dump(m_catalog), c.dump) << c.label;
        EXPECT_FALSE(m_catalog.IsUntitled() || m_catalog.IsModified());
        EXPECT_EQ(m_catalog.GetPath(), m_path);
    }
    EXPECT_TRUE(m_prompter.Messages().empty());
}

TEST_F(DatabaseReaderTest, BadLineShowsItsMessageAndKeepsTheLinesBefore)
{
    // Five photos with CRs and line ends in their fields, for the chunked reads to cut.
    const std::string good = "a|1999||||one\x01two\r\r\nthree\rfour|\r\n"
                             "b\r\nc|1999|P\r\nQ|E\rF||x\r\r\ny|\r\nd|1999|P\r|||\r|\n"
                             "e|6/5/1999|A^B^A|E|L||\r\nf|2000|||||\r\n",
                      error = "Database format error - ", incorrect = error + "incorrect picture entry";
    // clang-format off
    const struct {
        std::string bytes;
        std::string message;
        int photosKept;
    } cases[] = {
        {good + "|1999|||||\r\n", error + "No filename", 5},
        {good + "x||a|b|c|d|\r\n", error + "No Date", 5},
        {good + "x|1999|a|b|c|d|e\r\n", incorrect, 5},  // characters after the sixth separator
        {good + "x|1999|a|b|c|d|\r", incorrect, 5},
        {good + "x|", incorrect, 5},
        {"x|1999|a|b|c|d|e\r\n" + good, incorrect, 0},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        m_prompter.Forget();
        EXPECT_FALSE(Read(c.bytes));
        ExpectOneMessage(c.message, m_path);
        EXPECT_EQ(m_catalog.PhotoCount(), c.photosKept);
        EXPECT_TRUE(m_catalog.IsUntitled() && !m_catalog.IsModified());
        EXPECT_EQ(m_catalog.GetPath(), m_path);
    }
}

TEST_F(DatabaseReaderTest, MissingFileDirectoryOrFifoCannotBeOpened)
{
    const std::string fifo = m_dir.File("fifo.pdb");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ::alarm(10); // a read that waits for a writer ends the test rather than hanging it
    for (const std::string& path : {m_dir.File("missing.pdb"), m_dir.Path().string(), fifo}) {
        m_prompter.Forget();
        EXPECT_FALSE(m_catalog.ReadDatabase(path, m_prompter));
        ExpectOneMessage("Unable to open file", path);
        EXPECT_EQ(m_catalog.GetPath(), path);
        EXPECT_TRUE(m_catalog.IsUntitled());
    }
    ::alarm(0);
}

} // namespace
