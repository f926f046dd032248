#include "MemorySettings.h"

#include "core/SettingsKeys.h"
#include "ui/output/DecimalText.h"
#include "ui/output/NumberField.h"
#include "ui/output/OptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace SettingsKeys;

// Remembers which keys were written, in order, besides the values.
struct RecordingSettings : MemorySettings {
    std::vector<std::string> writes;
    void WriteInt(std::string_view key, int value) override
    {
        writes.emplace_back(key);
        MemorySettings::WriteInt(key, value);
    }
    void WriteString(std::string_view key, std::string_view value) override
    {
        writes.emplace_back(key);
        MemorySettings::WriteString(key, value);
    }
};

}  // namespace

TEST(OptionsDialog, ShowsDefaultsAndStoredValuesAsTheyAre)
{
    MemorySettings settings;
    settings.WriteInt(PictureShowNotes.name, 5);
    settings.WriteString(TopMargin.name, "abc");
    OptionsDialog dialog(settings);
    EXPECT_FALSE(dialog.FlagBox(SaveHighResPictures.name)->isChecked());
    EXPECT_TRUE(dialog.FlagBox(PictureShowNotes.name)->isChecked());
    EXPECT_EQ(dialog.NumberBox(JPEG_ThumbnailQuality.name)->Text(), "75");
    EXPECT_EQ(dialog.NumberBox(TopMargin.name)->Text(), "abc");
}

TEST(OptionsDialog, OkWritesEveryKeyAndCancelNothing)
{
    RecordingSettings settings;
    OptionsDialog dialog(settings);
    dialog.show();
    dialog.FlagBox(SaveOriginalPictures.name)->setChecked(true);
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(std::set(settings.writes.begin(), settings.writes.end()).size(), 15u);
    EXPECT_EQ(settings.writes.size(), 15u);
    EXPECT_EQ(settings.GetInt(SaveOriginalPictures.name, 0), 1);

    RecordingSettings untouched;
    OptionsDialog cancelled(untouched);
    cancelled.FlagBox(PictureShowDate.name)->setChecked(true);
    cancelled.NumberBox(PictureDelay.name)->SetText(QStringLiteral("9"));
    cancelled.reject();
    EXPECT_TRUE(untouched.writes.empty());
}

TEST(OptionsDialog, OkClampsNumbersAndKeepsTextsInRangeAsTyped)
{
    struct Case {
        TextKey key;
        const char* typed;
        const char* written;
    };
    const Case cases[] = {
        {JPEG_ThumbnailQuality, "49", "50"},
        {JPEG_FullScreenQuality, "101", "100"},
        {JPEG_OriginalQuality, "075", "075"},
        {LeftMargin, "", ""},
        {TopMargin, "81", "80"},
        {TopMargin, "abc", "abc"},  // reads as 0, which is in range
        {PictureDelay, "61", "60"},
    };
    for (const Case& c : cases) {
        MemorySettings settings;
        OptionsDialog dialog(settings);
        dialog.NumberBox(c.key.name)->SetText(QString::fromUtf8(c.typed));
        dialog.accept();
        EXPECT_EQ(settings.GetString(c.key.name, "unset"), c.written) << c.key.name << " '" << c.typed << "'";
    }
}

TEST(NumberField, TakesDigitsOnlyAndStepsWithinTheRange)
{
    NumberField field;
    field.SetRange(50, 100);
    field.SetText(QString());
    field.show();
    QTest::keyClicks(&field, QStringLiteral("9a-9 "));
    EXPECT_EQ(field.Text(), QStringLiteral("99"));
    QTest::keyClick(&field, Qt::Key_Up);
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.Text(), QStringLiteral("100"));
    field.SetText(QStringLiteral("30"));
    QTest::keyClick(&field, Qt::Key_Down);
    EXPECT_EQ(field.Text(), QStringLiteral("50")) << "a step from outside lands on the range";
}

TEST(DecimalText, ReadsLikeAtoi)
{
    const std::vector<std::pair<const char*, int>> cases = {
        {"", 0}, {"  42x", 42}, {"-7", -7}, {"x8", 0},
        {"99999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN}};
    for (const auto& [text, value] : cases) EXPECT_EQ(DecimalText::Atoi(text), value) << text;
}
