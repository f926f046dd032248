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
    void AddPerson(const std::string& name) { m_library->AddName(NameKind::Persons, name); }
    void FreshCatalog()
    {
        m_dialog.reset();
        m_library = std::make_unique<Library>();
    }

    std::unique_ptr<Library> m_library = std::make_unique<Library>();
    ScriptedPrompter m_prompter;
    std::unique_ptr<NameEntryDialog> m_dialog;
};

}  // namespace

TEST_F(NameEntryTest, ComposesTheStoredName)
{
    struct Case {
        NameKind kind;
        const char* first;
        const char* second;
        const char* stored;   // empty: nothing stored, the dialog ends as cancelled
        const char* message;  // empty: none
    };
    const Case cases[] = {
        {NameKind::Persons, "", " Smith  ", "Smith ", ""},
        {NameKind::Persons, "  John ", " Smith  ", "Smith, John", ""},
        {NameKind::Persons, "  ", "", "", ""},
        {NameKind::Events, " Summer holiday ", "", "Summer holiday", ""},
        {NameKind::Locations, "", "Texas", "Texas", ""},
        {NameKind::Locations, "Paris", "", "", "State must be supplied"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + "|" + c.second);
        FreshCatalog();
        m_prompter.Forget();
        const NameEntryDialog& dialog = Enter(c.kind, c.first, c.second);
        const bool stored = *c.stored != '\0';
        EXPECT_EQ(dialog.Result(), c.stored);
        EXPECT_EQ(dialog.result(), stored ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_EQ(NameCount(), stored ? 1 : 0);
        EXPECT_EQ(Catalog().FindName(c.kind, c.stored), stored ? 0 : -1);
        EXPECT_EQ(m_prompter.Texts(), *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
    }
}

TEST_F(NameEntryTest, RefusesSeparatorsAndStaysOpen)
{
    const std::tuple<NameKind, const char*, const char*> cases[] = {
        {NameKind::Persons, "a|b", "Smith"}, {NameKind::Locations, "Paris", "Fr^ance"}};
    for (const auto& [kind, first, second] : cases) {
        SCOPED_TRACE(std::string(first) + "|" + second);
        m_prompter.Forget();
        NameEntryDialog& dialog = Enter(kind, first, second);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(dialog.Result().empty());
        ASSERT_EQ(m_prompter.Texts(), std::vector<std::string>{
                                          "Input cannot contain either | or ^ characters,\nPlease correct and reenter"});
        EXPECT_EQ(NameCount(), 0);
    }
    m_dialog->FirstField()->setText(QStringLiteral("a"));
    m_dialog->SecondField()->setText(QStringLiteral("b"));
    m_dialog->accept();
    EXPECT_FALSE(m_dialog->isVisible()) << "corrected, it is taken";
    EXPECT_EQ(m_dialog->Result(), "b, a");
}

TEST_F(NameEntryTest, AddingAnExistingNameAddsNothingButEndsWithOk)
{
    AddPerson("Doe, Jane");
    AddPerson("Smith, John");
    const NameEntryDialog& dialog = Enter(NameKind::Persons, "John", "Smith");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), "Smith, John");
    EXPECT_EQ(Catalog().Names(NameKind::Persons).Size(), 2);
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
        EXPECT_EQ(dialog.FirstField()->text().toStdString(), first) << initial;
        EXPECT_EQ(dialog.SecondField()->text().toStdString(), second) << initial;
    }
}

TEST_F(NameEntryTest, EditReplacesTheNameAtItsIdKeepingUntouchedBytes)
{
    AddPerson("Doe, Jane");
    AddPerson("Smith, John");
    EXPECT_EQ(Enter(NameKind::Persons, "Jon", "Smith", "Smith, John").Result(), "Smith, Jon");
    EXPECT_EQ(Catalog().Names(NameKind::Persons).Size(), 2);
    EXPECT_EQ(Catalog().Names(NameKind::Persons).At(1), "Smith, Jon");

    const std::string windows = "M\xfcller, Hans";  // Windows-1252
    AddPerson(windows);
    NameEntryDialog dialog(*m_library, NameKind::Persons, windows, m_prompter);
    EXPECT_EQ(dialog.SecondField()->text(), QString::fromUtf8("Müller"));
    dialog.FirstField()->setText("Hans-Peter");
    dialog.accept();
    EXPECT_EQ(Catalog().Names(NameKind::Persons).At(2), "M\xfcller, Hans-Peter");
}
