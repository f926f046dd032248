#include "FailingAllocation.h"
#include "FileBytes.h"
#include "ScriptedPrompter.h"
#include "TempDir.h"

#include "core/CQuilleryDoc.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Memory may run out at any allocation of a read: the file's buffer, a record, a
// name, the catalog's growth. Each one is made to fail in turn; the read must report
// it and give up, never throw.
TEST(DatabaseReaderMemory, RunningOutAnywhereFailsWithItsMessageAndAnEmptyCatalog)
{
    TempDir dir;
    const std::string path = dir.File("Family.pdb");
    WriteBytes(path, "beach01|6/05/1999|Smith, John^Doe, Jane|Summer holiday|France, Paris|"
                     "Day one \x01 sunny\r\r\nand two|\r\n"
                     "garden|1999||Summer holiday|||\r\n"
                     "porch|2001|Doe, Jane|Spring|Italy, Rome|a note long enough not to fit in "
                     "a short string buffer|\r\n");
    long skip = 0;
    for (;; ++skip) {
        SCOPED_TRACE(skip);
        ScriptedPrompter prompter;
        CQuilleryDoc catalog;
        bool read = false, failed = false;
        {
            const FailingAllocation failing(skip);
            read = catalog.ReadDatabase(path, prompter);
            failed = failing.Failed();
        }
        if (!failed) {
            EXPECT_TRUE(read && catalog.PhotoCount() == 3);
            break;
        }
        EXPECT_FALSE(read);
        ASSERT_EQ(prompter.Messages().size(), 1u);
        const auto& shown = prompter.Messages()[0];
        EXPECT_EQ(std::tuple(shown.text, shown.caption),
                  std::tuple("Not enough memory to read " + path, path));
        EXPECT_EQ(std::tuple(catalog.PhotoCount(), catalog.Names(NameKind::Persons).Size(), catalog.GetPath()),
                  std::tuple(0, 0, path));
        EXPECT_TRUE(catalog.IsUntitled());
    }
    // The file's buffer, the three records and their names at the least.
    EXPECT_GT(skip, 10);
}

} // namespace
