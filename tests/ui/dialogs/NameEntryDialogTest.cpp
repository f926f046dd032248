#include "ScriptedPrompter.h"

#include "core/CQuilleryDoc.h"
#include "store/Library.h"
#include "ui/dialogs/NameEntryDialog.h"

#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>

namespace {

class NameEntryTest : public testing::Test {
protected:
    // Types the two fields and presses OK.
    NameEntryDialog& Enter(NameKind kind, const char* first, const char* second, const std::string& initial = "")
    {
        m_dialog = std::make_unique<NameEntryDialog>(*m_library, kind, initial, m_prompter);
        m_dialog->show();
        m_dialog->FirstField()->setText(QString::fromUtf8(first));
        m_dialog->SecondField()->setText(QString::fromUtf8(second));
        m_dialog->accept();
        return *m_dialog;
    }
    int NameCount()
    {
        int count = 0;
        for (const NameKind kind : kNameKinds) count += Catalog().Names(kind).Size();
        return count;
    }

    const CQuilleryDoc& Catalog() const { return m_library->Catalog(); }

    std::unique_ptr<Library> m_library = std::make_unique<Library>();
    ScriptedPrompter m_prompter;
    std::unique_ptr<NameEntryDialog> m_dialog;
};

}  // namespace

TEST_F(NameEntryTest, ComposesTheStoredName)
{
    struct Case {
        NameKind kind;
        const char *first, *second;
        const char* stored;  // empty: nothing stored, the dialog ends as cancelled, unasked
    };
    const Case cases[] = {
        {NameKind::Persons, "", " Smith  ", "Smith "},
        {NameKind::Persons, "  John ", " Smith  ", "Smith, John"},
        {NameKind::Persons, "  ", "", ""},
        {NameKind::Events, " Summer holiday ", "", "Summer holiday"},
        {NameKind::Locations, "", "Texas", "Texas"},
        {NameKind::Locations, "  ", " ", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + "|" + c.second);
        m_dialog.reset();
        m_library = std::make_unique<Library>();
        m_prompter.Forget();
        const NameEntryDialog& dialog = Enter(c.kind, c.first, c.second);
        const bool stored = *c.stored != '\0';
        EXPECT_EQ(dialog.Result(), c.stored);
        EXPECT_EQ(dialog.result(), stored ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(NameCount(), stored ? 1 : 0);
        EXPECT_TRUE(m_prompter.Texts().empty());
    }
}

TEST_F(NameEntryTest, RefusesAndStaysOpenWithWhatWasTyped)
{
    const std::string separators = "Input cannot contain either | or ^ characters,\nPlease correct and reenter";
    const std::tuple<NameKind, const char*, const char*, std::string> cases[] = {
        {NameKind::Persons, "a|b", "Smith", separators},
        {NameKind::Locations, "Paris", "Fr^ance", separators},
        {NameKind::Locations, "Paris", "  ", "State must be supplied"}};
    for (const auto& [kind, first, second, message] : cases) {
        SCOPED_TRACE(std::string(first) + "|" + second);
        m_prompter.Forget();
        NameEntryDialog& dialog = Enter(kind, first, second);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), 0);
        ASSERT_EQ(m_prompter.Texts(), std::vector<std::string>{message});
        EXPECT_EQ(dialog.FirstField()->text() + '|' + dialog.SecondField()->text(), QString(first) + '|' + second);
        EXPECT_EQ(NameCount(), 0);
    }
    m_dialog->SecondField()->setText(QStringLiteral("France"));
    m_dialog->accept();
    EXPECT_EQ(m_dialog->Result(), "France, Paris") << "completed, it is taken";
}

TEST_F(NameEntryTest, EditSplitsTheStoredName)
{
    const std::tuple<NameKind, const char*, const char*, const char*> cases[] = {
        {NameKind::Persons, "Smith, John", "John", "Smith"},
        {NameKind::Persons, " John", "John", ""},
        {NameKind::Persons, "Smith,John", "John", "Smith"},  // typed by hand into a file
        {NameKind::Events, "Summer holiday", "Summer holiday", ""},
        {NameKind::Locations, "Texas", "", "Texas"}};
    for (const auto& [kind, initial, first, second] : cases) {
        const NameEntryDialog dialog(*m_library, kind, initial, m_prompter);
        EXPECT_EQ(dialog.FirstField()->text() + '|' + dialog.SecondField()->text(),
                  QString(first) + '|' + second) << initial;
    }
}

TEST_F(NameEntryTest, EditReplacesTheNameAtItsIdKeepingUntouchedBytes)
{
    for (const char* name : {"Doe, Jane", "Smith, John"}) m_library->AddName(NameKind::Persons, name);
    EXPECT_EQ(Enter(NameKind::Persons, "Jon", "Smith", "Smith, John").Result(), "Smith, Jon");
    EXPECT_EQ(Catalog().Names(NameKind::Persons).At(1), "Smith, Jon");

    const std::string windows = "M\xfcller, Hans";  // Windows-1252
    m_library->AddName(NameKind::Persons, windows);
    NameEntryDialog dialog(*m_library, NameKind::Persons, windows, m_prompter);
    EXPECT_EQ(dialog.SecondField()->text(), QString::fromUtf8("Müller"));
    dialog.FirstField()->setText("Hans-Peter");
    dialog.accept();
    EXPECT_EQ(Catalog().Names(NameKind::Persons).At(2), "M\xfcller, Hans-Peter");
}
