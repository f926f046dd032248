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

Lines Wrap(const QString& text, int width, int maxLines, bool* more = nullptr)
{
    const WrappedText::Layout layout = WrappedText::Lines(text, Metrics(), width, maxLines);
    if (more != nullptr) *more = layout.more;
    return layout.lines;
}

int Width(const QString& text) { return Metrics().horizontalAdvance(text); }

} // namespace

TEST(WrappedText, BreaksAtBlanksAndLineBreaksAndTellsWhenTextIsLeftOver)
{
    const int width = std::max(Width("alpha beta"), Width("gamma-delta")) + 2;
    EXPECT_EQ(Wrap("alpha beta gamma-delta", width, 5), (Lines{"alpha beta", "gamma-delta"}));
    EXPECT_EQ(Wrap("one\r\ntwo\nthree\rfour\r\n\r\n5", 500, 9), (Lines{"one", "two", "three", "four", "", "5"}));
    bool more = false;
    EXPECT_EQ(Wrap("m m m m", Width("m"), 2, &more), (Lines{"m", "m"}));
    EXPECT_TRUE(more);
    Wrap("m m", Width("m"), 2, &more);
    EXPECT_FALSE(more);
}

// A word wider than the cell is broken without losing characters; a note of any length
// shows its beginning whole.
TEST(WrappedText, LongWordsAndLongTexts)
{
    const QString word(40, u'm');
    QString joined;
    for (const QString& line : Wrap(word, Width("mmmmm"), 20)) {
        EXPECT_LE(Width(line), Width("mmmmm"));
        joined += line;
    }
    EXPECT_EQ(joined, word);

    QString note;
    for (int i = 0; i < 200'000; ++i) note += "word" + QString::number(i % 10) + u' ';
    bool more = false;
    const Lines full = Wrap(note, 238, 7, &more);
    EXPECT_TRUE(more);
    EXPECT_EQ(full, Wrap(note.left(600), 238, 7));
}
