#include "MemorySettings.h"

#include "core/SettingsKeys.h"
#include "ui/output/DecimalText.h"
#include "ui/output/NumberField.h"
#include "ui/output/OptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace SettingsKeys;

// Remembers the order of writes besides the values.
class RecordingSettings : public MemorySettings {
public:
    void WriteInt(std::string_view key, int value) override
    {
        m_writes.emplace_back(key);
        MemorySettings::WriteInt(key, value);
    }
    void WriteString(std::string_view key, std::string_view value) override
    {
        m_writes.emplace_back(key);
        MemorySettings::WriteString(key, value);
    }
    const std::vector<std::string>& Writes() const { return m_writes; }

private:
    std::vector<std::string> m_writes;
};

struct TextKeyCase {
    const char* name;
    TextKey key;
    std::string typed;
    std::string written;
};

class OptionsDialogClamp : public testing::TestWithParam<TextKeyCase> {};

}  // namespace

TEST(OptionsDialog, AnEmptyStoreShowsTheDefaults)
{
    MemorySettings settings;
    OptionsDialog dialog(settings);
    for (const IntKey& key : {SaveHighResPictures, SaveOriginalPictures, QuilleryStartupSort,
                              PictureShowDate, PictureShowPersons, PictureShowEvents,
                              PictureShowNotes, ModifyHighResOnEdit}) {
        ASSERT_NE(dialog.FlagBox(key.name), nullptr) << key.name;
        EXPECT_FALSE(dialog.FlagBox(key.name)->isChecked()) << key.name;
    }
    for (const TextKey& key : {JPEG_ThumbnailQuality, JPEG_FullScreenQuality, JPEG_HighResQuality,
                               JPEG_OriginalQuality}) {
        EXPECT_EQ(dialog.NumberBox(key.name)->Text(), QStringLiteral("75")) << key.name;
    }
    EXPECT_EQ(dialog.NumberBox(TopMargin.name)->Text(), QStringLiteral("10"));
    EXPECT_EQ(dialog.NumberBox(LeftMargin.name)->Text(), QStringLiteral("10"));
    EXPECT_EQ(dialog.NumberBox(PictureDelay.name)->Text(), QStringLiteral("6"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Quillery Options"));
}

TEST(OptionsDialog, ShowsStoredValuesAsTheyAre)
{
    MemorySettings settings;
    settings.WriteInt(PictureShowNotes.name, 5);
    settings.WriteString(JPEG_HighResQuality.name, "20");
    settings.WriteString(TopMargin.name, "abc");
    OptionsDialog dialog(settings);
    EXPECT_TRUE(dialog.FlagBox(PictureShowNotes.name)->isChecked());
    EXPECT_EQ(dialog.NumberBox(JPEG_HighResQuality.name)->Text(), QStringLiteral("20"));
    EXPECT_EQ(dialog.NumberBox(TopMargin.name)->Text(), QStringLiteral("abc"));
}

TEST(OptionsDialog, OkWritesEveryKeyInOrder)
{
    RecordingSettings settings;
    OptionsDialog dialog(settings);
    dialog.accept();
    const std::vector<std::string> expected = {
        "ModifyHighResOnEdit", "SaveHighResPictures", "SaveOriginalPictures", "PictureShowDate",
        "PictureShowEvents", "PictureShowNotes", "QuilleryStartupSort", "PictureShowPersons",
        "JPEG_FullScreenQuality", "JPEG_HighResQuality", "JPEG_OriginalQuality",
        "JPEG_ThumbnailQuality", "LeftMargin", "PictureDelay", "TopMargin"};
    EXPECT_EQ(settings.Writes(), expected);
    EXPECT_EQ(settings.GetString(PictureDelay.name, ""), "6");
    EXPECT_EQ(settings.GetInt(SaveHighResPictures.name, -1), 0);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(OptionsDialog, CancelWritesNothingEvenAfterChanges)
{
    RecordingSettings settings;
    OptionsDialog dialog(settings);
    dialog.FlagBox(PictureShowDate.name)->setChecked(true);
    dialog.NumberBox(PictureDelay.name)->SetText(QStringLiteral("9"));
    dialog.reject();
    EXPECT_TRUE(settings.Writes().empty());
}

TEST(OptionsDialog, TheOkButtonAndEnterAccept)
{
    RecordingSettings settings;
    OptionsDialog dialog(settings);
    dialog.show();
    dialog.FlagBox(SaveOriginalPictures.name)->setChecked(true);
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(settings.GetInt(SaveOriginalPictures.name, 0), 1);

    RecordingSettings second;
    OptionsDialog again(second);
    again.show();
    QTest::keyClick(again.NumberBox(PictureDelay.name), Qt::Key_Return);
    EXPECT_EQ(second.Writes().size(), 15u);
}

TEST(OptionsDialog, EscapeCancels)
{
    RecordingSettings settings;
    OptionsDialog dialog(settings);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(settings.Writes().empty());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_P(OptionsDialogClamp, WritesTheClampedText)
{
    MemorySettings settings;
    OptionsDialog dialog(settings);
    dialog.NumberBox(GetParam().key.name)->SetText(QString::fromStdString(GetParam().typed));
    dialog.accept();
    EXPECT_EQ(settings.GetString(GetParam().key.name, "unset"), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, OptionsDialogClamp,
    testing::Values(TextKeyCase{"QualityBelow", JPEG_ThumbnailQuality, "30", "50"},
                    TextKeyCase{"QualityAbove", JPEG_FullScreenQuality, "150", "100"},
                    TextKeyCase{"QualityEmpty", JPEG_HighResQuality, "", "50"},
                    TextKeyCase{"QualityLeadingZeroKept", JPEG_OriginalQuality, "075", "075"},
                    TextKeyCase{"QualityLowerBound", JPEG_OriginalQuality, "50", "50"},
                    TextKeyCase{"QualityUpperBound", JPEG_OriginalQuality, "100", "100"},
                    TextKeyCase{"QualityHuge", JPEG_ThumbnailQuality, "99999999999999", "100"},
                    TextKeyCase{"LeftMarginAbove", LeftMargin, "90", "50"},
                    TextKeyCase{"TopMarginAbove", TopMargin, "90", "80"},
                    TextKeyCase{"TopMarginBound", TopMargin, "80", "80"},
                    TextKeyCase{"MarginEmptyStaysEmpty", LeftMargin, "", ""},
                    TextKeyCase{"DelayEmptyStaysEmpty", PictureDelay, "", ""},
                    TextKeyCase{"DelayAbove", PictureDelay, "61", "60"},
                    TextKeyCase{"DelayZero", PictureDelay, "0", "0"},
                    TextKeyCase{"StoredNonDigitsReadAsZero", TopMargin, "abc", "abc"}),
    [](const testing::TestParamInfo<TextKeyCase>& paramInfo) { return std::string(paramInfo.param.name); });

TEST(OptionsDialog, SpinRangesFollowTheKeys)
{
    MemorySettings settings;
    OptionsDialog dialog(settings);
    const std::vector<std::tuple<TextKey, int, int>> ranges = {
        {JPEG_ThumbnailQuality, 50, 100}, {JPEG_FullScreenQuality, 50, 100},
        {JPEG_HighResQuality, 50, 100},   {JPEG_OriginalQuality, 50, 100},
        {TopMargin, 0, 80},               {LeftMargin, 0, 50},
        {PictureDelay, 0, 60}};
    for (const auto& [key, minimum, maximum] : ranges) {
        EXPECT_EQ(dialog.NumberBox(key.name)->Minimum(), minimum) << key.name;
        EXPECT_EQ(dialog.NumberBox(key.name)->Maximum(), maximum) << key.name;
    }
}

TEST(NumberField, TypingAcceptsDigitsOnly)
{
    NumberField field;
    field.SetRange(0, 60);
    field.SetText(QString());
    field.show();
    QTest::keyClicks(&field, QStringLiteral("1a-2 3"));
    EXPECT_EQ(field.Text(), QStringLiteral("123"));
}

TEST(NumberField, ArrowKeysStepWithinTheRange)
{
    NumberField field;
    field.SetRange(50, 100);
    field.SetText(QStringLiteral("99"));
    field.show();
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.Text(), QStringLiteral("100"));
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.Text(), QStringLiteral("100"));
    field.SetText(QStringLiteral("30"));
    QTest::keyClick(&field, Qt::Key_Down);
    EXPECT_EQ(field.Text(), QStringLiteral("50")) << "a step from outside lands on the range";
    field.SetText(QStringLiteral("075"));
    QTest::keyClick(&field, Qt::Key_Up);
    EXPECT_EQ(field.Text(), QStringLiteral("76"));
}

TEST(DecimalText, ReadsLikeAtoi)
{
    EXPECT_EQ(DecimalText::Atoi(""), 0);
    EXPECT_EQ(DecimalText::Atoi("  42x"), 42);
    EXPECT_EQ(DecimalText::Atoi("-7"), -7);
    EXPECT_EQ(DecimalText::Atoi("+8"), 8);
    EXPECT_EQ(DecimalText::Atoi("x8"), 0);
    EXPECT_EQ(DecimalText::Atoi("075"), 75);
    EXPECT_EQ(DecimalText::Atoi("99999999999999999999"), INT_MAX);
    EXPECT_EQ(DecimalText::Atoi("-99999999999999999999"), INT_MIN);
}

TEST(DecimalText, ClampsBelowAndAboveOnly)
{
    EXPECT_EQ(DecimalText::Clamp("-5", 0, 50), "0");
    EXPECT_EQ(DecimalText::Clamp("51", 0, 50), "50");
    EXPECT_EQ(DecimalText::Clamp("007", 0, 50), "007");
    EXPECT_EQ(DecimalText::Clamp("", 50, 100), "50");
}
