#include "MemorySettings.h"

#include "core/SettingsKeys.h"
#include "ui/output/DecimalText.h"
#include "ui/output/NumberField.h"
#include "ui/output/OptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace SettingsKeys;

// Remembers which keys were written, besides the values.
struct RecordingSettings : MemorySettings {
    std::vector<std::string> writes;
    void WriteInt(std::string_view key, int value) override { writes.emplace_back(key); MemorySettings::WriteInt(key, value); }
    void WriteString(std::string_view key, std::string_view value) override
    { writes.emplace_back(key); MemorySettings::WriteString(key, value); }
};

}  // namespace

TEST(OptionsDialog, OkWritesEveryKeyAndCancelNothing)
{
    RecordingSettings settings;
    OptionsDialog dialog(settings);
    dialog.show();
    dialog.FlagBox(SaveOriginalPictures.name)->setChecked(true);
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    EXPECT_EQ(std::set(settings.writes.begin(), settings.writes.end()).size(), 15u);
    EXPECT_EQ(settings.GetInt(SaveOriginalPictures.name, 0), 1);

    RecordingSettings untouched;
    OptionsDialog cancelled(untouched);
    cancelled.FlagBox(PictureShowDate.name)->setChecked(true);
    cancelled.reject();
    EXPECT_TRUE(untouched.writes.empty());
}

TEST(OptionsDialog, OkClampsNumbersAndKeepsTextsInRangeAsTyped)
{
    const std::tuple<TextKey, const char*, const char*> cases[] = {  // key, typed, written
        {JPEG_ThumbnailQuality, "49", "50"}, {JPEG_FullScreenQuality, "101", "100"},
        {JPEG_OriginalQuality, "075", "075"}, {LeftMargin, "", ""}, {TopMargin, "81", "80"},
        {TopMargin, "abc", "abc"} /* reads as 0, in range */, {PictureDelay, "61", "60"}};
    for (const auto& [key, typed, written] : cases) {
        MemorySettings settings;
        OptionsDialog dialog(settings);
        dialog.NumberBox(key.name)->SetText(QString::fromUtf8(typed));
        dialog.accept();
        EXPECT_EQ(settings.GetString(key.name, "unset"), written) << key.name << " '" << typed << "'";
    }
}

TEST(DecimalText, ReadsLikeAtoi)
{
    for (const auto& [text, value] : std::vector<std::pair<const char*, int>>{
             {"", 0}, {"  42x", 42}, {"-7", -7}, {"x8", 0},
             {"99999999999999999999", INT_MAX}, {"-99999999999999999999", INT_MIN}})
        EXPECT_EQ(DecimalText::Atoi(text), value) << text;
}
