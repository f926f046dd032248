#include "ScriptedPrompter.h"

#include "core/CQuilleryDoc.h"
#include "ui/dialogs/NameEntryDialog.h"

#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr const char* kSeparatorMessage =
    "Input cannot contain either | or ^ characters,\nPlease correct and reenter";

struct TextsCase {
    NameKind kind;
    const char* initial;
    const char* title;
    const char* instruction;
    const char* firstLabel;
    const char* secondLabel;  // null: hidden
};

class NameEntryTexts : public testing::TestWithParam<TextsCase> {};

TEST_P(NameEntryTexts, SetsTitleInstructionAndLabels)
{
    const TextsCase& c = GetParam();
    CQuilleryDoc catalog;
    catalog.AddPerson("Smith, John");
    catalog.AddEvent("Party");
    catalog.AddLocation("France, Paris");
    ScriptedPrompter prompter;
    NameEntryDialog dialog(catalog, c.kind, c.initial, prompter);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle().toStdString(), c.title);
    EXPECT_EQ(dialog.Instruction()->text().toStdString(), c.instruction);
    EXPECT_EQ(dialog.FirstLabel()->text().toStdString(), c.firstLabel);
    if (c.secondLabel) {
        EXPECT_TRUE(dialog.SecondField()->isVisible());
        EXPECT_EQ(dialog.SecondLabel()->text().toStdString(), c.secondLabel);
    } else {
        EXPECT_FALSE(dialog.SecondField()->isVisible());
        EXPECT_FALSE(dialog.SecondLabel()->isVisible());
    }
    EXPECT_EQ(dialog.focusWidget(), dialog.FirstField());
}

INSTANTIATE_TEST_SUITE_P(
    SixVariants, NameEntryTexts,
    testing::Values(
        TextsCase{NameKind::Persons, "", "Add a Person", "Enter new person's name:", "First Name:", "Last Name:"},
        TextsCase{NameKind::Persons, "Smith, John", "Edit a Person", "Modify person's name:", "First Name:", "Last Name:"},
        TextsCase{NameKind::Events, "", "Add an Event", "Enter description of new event:", "Event:", nullptr},
        TextsCase{NameKind::Events, "Party", "Edit an Event", "Modify description of event:", "Event:", nullptr},
        TextsCase{NameKind::Locations, "", "Add a Location", "Enter new location information:", "City:", "State or Country:"},
        TextsCase{NameKind::Locations, "France, Paris", "Edit a Location", "Modify location city/state:", "City:", "State or Country:"}));

struct ComposeCase {
    const char* label;
    NameKind kind;
    const char* first;
    const char* second;
    const char* stored;   // empty: nothing stored, the dialog ends as cancelled
    const char* message;  // empty: none
};

class NameComposition : public testing::TestWithParam<ComposeCase> {};

TEST_P(NameComposition, StoresTheComposedName)
{
    const ComposeCase& c = GetParam();
    CQuilleryDoc catalog;
    ScriptedPrompter prompter;
    NameEntryDialog dialog(catalog, c.kind, "", prompter);
    dialog.FirstField()->setText(QString::fromUtf8(c.first));
    dialog.SecondField()->setText(QString::fromUtf8(c.second));
    dialog.accept();

    EXPECT_EQ(dialog.Result(), c.stored);
    const bool stored = std::string(c.stored).size() > 0;
    EXPECT_EQ(dialog.result(), stored ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(catalog.IsModified(), stored);
    const int found = c.kind == NameKind::Persons  ? catalog.FindPerson(c.stored)
                      : c.kind == NameKind::Events ? catalog.FindEvent(c.stored)
                                                   : catalog.FindLocation(c.stored);
    EXPECT_EQ(found, stored ? 0 : -1);
    const int total = catalog.Persons().Size() + catalog.Events().Size() + catalog.Locations().Size();
    EXPECT_EQ(total, stored ? 1 : 0);
    if (std::string(c.message).empty()) {
        EXPECT_TRUE(prompter.Messages().empty());
    } else {
        ASSERT_EQ(prompter.Messages().size(), 1u);
        EXPECT_EQ(prompter.Messages()[0].text, c.message);
        EXPECT_EQ(prompter.Messages()[0].caption, "Quillery");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, NameComposition,
    testing::Values(
        ComposeCase{"PersonBoth", NameKind::Persons, "John", "Smith", "Smith, John", ""},
        ComposeCase{"PersonLastOnly", NameKind::Persons, "", "Smith", "Smith ", ""},
        ComposeCase{"PersonFirstOnly", NameKind::Persons, "John", "", " John", ""},
        ComposeCase{"PersonTrimmed", NameKind::Persons, "  John ", " Smith  ", "Smith, John", ""},
        ComposeCase{"PersonEmpty", NameKind::Persons, "  ", "", "", ""},
        ComposeCase{"Event", NameKind::Events, " Summer holiday ", "", "Summer holiday", ""},
        ComposeCase{"EventBlanks", NameKind::Events, "   ", "", "", ""},
        ComposeCase{"LocationBoth", NameKind::Locations, "Paris", "France", "France, Paris", ""},
        ComposeCase{"LocationStateOnly", NameKind::Locations, "", "Texas", "Texas", ""},
        ComposeCase{"LocationCityOnly", NameKind::Locations, "Paris", "", "", "State must be supplied"},
        ComposeCase{"LocationEmpty", NameKind::Locations, "", " ", "", ""},
        ComposeCase{"Utf8", NameKind::Persons, "Zoë", "Müller", "Müller, Zoë", ""}),
    [](const testing::TestParamInfo<ComposeCase>& param) { return std::string(param.param.label); });

class SeparatorRefusal : public testing::TestWithParam<std::tuple<NameKind, const char*, const char*>> {};

TEST_P(SeparatorRefusal, StaysOpenWithTheMessage)
{
    const auto& [kind, first, second] = GetParam();
    CQuilleryDoc catalog;
    ScriptedPrompter prompter;
    NameEntryDialog dialog(catalog, kind, "", prompter);
    dialog.show();
    dialog.FirstField()->setText(QString::fromUtf8(first));
    dialog.SecondField()->setText(QString::fromUtf8(second));
    dialog.accept();

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.Result().empty());
    ASSERT_EQ(prompter.Texts(), std::vector<std::string>{kSeparatorMessage});
    EXPECT_EQ(prompter.Messages()[0].caption, "Quillery");
    EXPECT_FALSE(catalog.IsModified());
    EXPECT_EQ(catalog.Persons().Size() + catalog.Events().Size() + catalog.Locations().Size(), 0);

    // Corrected, it is taken.
    dialog.FirstField()->setText(QStringLiteral("a"));
    dialog.SecondField()->setText(QStringLiteral("b"));
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.Result().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Fields, SeparatorRefusal,
    testing::Values(std::make_tuple(NameKind::Persons, "a|b", "Smith"),
                    std::make_tuple(NameKind::Persons, "John", "a^b"),
                    std::make_tuple(NameKind::Events, "a|b", ""),
                    std::make_tuple(NameKind::Locations, "Paris", "Fr^ance"),
                    std::make_tuple(NameKind::Locations, "|", "")));

TEST(NameEntryDialog, AddingAnExistingNameAddsNothingButEndsWithOk)
{
    CQuilleryDoc catalog;
    catalog.AddPerson("Doe, Jane");
    catalog.AddPerson("Smith, John");
    ScriptedPrompter prompter;
    NameEntryDialog dialog(catalog, NameKind::Persons, "", prompter);
    dialog.FirstField()->setText("John");
    dialog.SecondField()->setText("Smith");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), "Smith, John");
    EXPECT_EQ(catalog.Persons().Size(), 2);
}

struct FillCase {
    NameKind kind;
    const char* initial;
    const char* first;
    const char* second;
};

class EditFill : public testing::TestWithParam<FillCase> {};

TEST_P(EditFill, SplitsTheStoredName)
{
    const FillCase& c = GetParam();
    CQuilleryDoc catalog;
    ScriptedPrompter prompter;
    NameEntryDialog dialog(catalog, c.kind, c.initial, prompter);
    EXPECT_EQ(dialog.FirstField()->text().toStdString(), c.first);
    EXPECT_EQ(dialog.SecondField()->text().toStdString(), c.second);
}

INSTANTIATE_TEST_SUITE_P(
    StoredForms, EditFill,
    testing::Values(FillCase{NameKind::Persons, "Smith, John", "John", "Smith"},
                    FillCase{NameKind::Persons, "Smith ", "", "Smith"},
                    FillCase{NameKind::Persons, " John", "John", ""},
                    // Typed by hand into a file: no letter of the first name is lost.
                    FillCase{NameKind::Persons, "Smith,John", "John", "Smith"},
                    FillCase{NameKind::Persons, "Smith,", "", "Smith"},
                    FillCase{NameKind::Events, "Summer holiday", "Summer holiday", ""},
                    FillCase{NameKind::Locations, "France, Paris", "Paris", "France"},
                    FillCase{NameKind::Locations, "Texas", "", "Texas"}));

TEST(NameEntryDialog, EditReplacesTheNameAtItsId)
{
    CQuilleryDoc catalog;
    catalog.AddPerson("Doe, Jane");
    catalog.AddPerson("Smith, John");
    ScriptedPrompter prompter;
    NameEntryDialog dialog(catalog, NameKind::Persons, "Smith, John", prompter);
    dialog.FirstField()->setText("Jon");
    dialog.accept();
    EXPECT_EQ(dialog.Result(), "Smith, Jon");
    EXPECT_EQ(catalog.Persons().Size(), 2);
    EXPECT_EQ(catalog.Persons().At(1), "Smith, Jon");
    EXPECT_EQ(catalog.FindPerson("Smith, John"), -1);
    EXPECT_TRUE(catalog.IsModified());
}

TEST(NameEntryDialog, EditLeavesWindowsBytesAloneWhenTheFieldIsUnchanged)
{
    CQuilleryDoc catalog;
    const std::string windows = "M\xfcller, Hans";  // Windows-1252
    catalog.AddPerson(windows);
    ScriptedPrompter prompter;
    NameEntryDialog dialog(catalog, NameKind::Persons, windows, prompter);
    EXPECT_EQ(dialog.SecondField()->text(), QString::fromUtf8("Müller"));
    dialog.FirstField()->setText("Hans-Peter");
    dialog.accept();
    EXPECT_EQ(catalog.Persons().At(0), "M\xfcller, Hans-Peter");
}

}  // namespace
