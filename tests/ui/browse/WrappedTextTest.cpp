#include "ui/browse/WrappedText.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<QString>;

QFont TestFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    return font;
}

Lines Wrap(const QString& text, int width, int maxLines, bool* more = nullptr)
{
    const WrappedText::Layout layout = WrappedText::Lines(text, QFontMetrics(TestFont()), width, maxLines);
    if (more != nullptr) *more = layout.more;
    return layout.lines;
}

int Width(const QString& text) { return QFontMetrics(TestFont()).horizontalAdvance(text); }

} // namespace

TEST(WrappedText, BreaksAtBlanksAndAtTheTextsLineBreaksAndTellsWhenTextIsLeftOver)
{
    const int width = std::max(Width("alpha beta"), Width("gamma-delta")) + 2;
    EXPECT_EQ(Wrap("alpha beta gamma-delta", width, 5), (Lines{"alpha beta", "gamma-delta"}));
    EXPECT_EQ(Wrap("one\r\ntwo\nthree\rfour\r\n\r\n5", 500, 9), (Lines{"one", "two", "three", "four", "", "5"}));
    bool more = false;
    EXPECT_EQ(Wrap("m m m m", Width("m"), 2, &more), (Lines{"m", "m"}));
    EXPECT_TRUE(more);
    EXPECT_EQ(Wrap("m m", Width("m"), 2, &more).size(), 2u);
    EXPECT_FALSE(more);
}

TEST(WrappedText, WordWiderThanTheCellIsBrokenWithoutLosingCharacters)
{
    const QString word(40, u'm');
    const Lines lines = Wrap(word, Width("mmmmm"), 20);
    ASSERT_GT(lines.size(), 1u);
    QString joined;
    for (const QString& line : lines) {
        EXPECT_LE(Width(line), Width("mmmmm"));
        joined += line;
    }
    EXPECT_EQ(joined, word);
}

TEST(WrappedText, TextOfAnyLengthShowsItsBeginningWhole)
{
    QString note;
    for (int i = 0; i < 200'000; ++i) note += "word" + QString::number(i % 10) + u' ';
    bool more = false;
    const Lines full = Wrap(note, 238, 7, &more);
    EXPECT_TRUE(more);
    EXPECT_EQ(full, Wrap(note.left(600), 238, 7));
    EXPECT_EQ(full.size(), 7u);
}
