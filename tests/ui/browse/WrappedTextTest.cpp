#include "ui/browse/WrappedText.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<QString>;

QFontMetrics Metrics()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    return QFontMetrics(font);
}

WrappedText::Layout Wrap(const QString& text, int width, int maxLines)
{
    return WrappedText::Lines(text, Metrics(), width, maxLines);
}

int Width(const QString& text) { return Metrics().horizontalAdvance(text); }

} // namespace

// Breaks at blanks and every kind of line break, tells when text is left over, breaks a
// word wider than the cell without losing characters, and shows a note of any length
// from its beginning.
TEST(WrappedText, BreaksLinesAndWordsAndTellsWhenTextIsLeftOver)
{
    const int width = std::max(Width("alpha beta"), Width("gamma-delta")) + 2;
    EXPECT_EQ(Wrap("alpha beta gamma-delta", width, 5).lines, (Lines{"alpha beta", "gamma-delta"}));
    EXPECT_EQ(Wrap("one\r\ntwo\nthree\rfour\r\n\r\n5", 500, 9).lines, (Lines{"one", "two", "three", "four", "", "5"}));
    EXPECT_EQ(Wrap("m m m m", Width("m"), 2).lines, (Lines{"m", "m"}));
    EXPECT_TRUE(Wrap("m m m m", Width("m"), 2).more);
    EXPECT_FALSE(Wrap("m m", Width("m"), 2).more);

    const QString word(40, u'm');
    QString joined;
    for (const QString& line : Wrap(word, Width("mmmmm"), 20).lines) {
        EXPECT_LE(Width(line), Width("mmmmm"));
        joined += line;
    }
    EXPECT_EQ(joined, word);

    QString note;
    for (int i = 0; i < 200'000; ++i) note += "word" + QString::number(i % 10) + u' ';
    const WrappedText::Layout full = Wrap(note, 238, 7);
    EXPECT_TRUE(full.more);
    EXPECT_EQ(full.lines, Wrap(note.left(600), 238, 7).lines);
}
