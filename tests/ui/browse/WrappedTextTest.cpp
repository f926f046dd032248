#include "ui/browse/WrappedText.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

QFont TestFont()
{
    QFont font("DejaVu Sans");
    font.setPixelSize(12);
    return font;
}

std::vector<QString> Lines(const QString& text, int width, int maxLines, bool* more = nullptr)
{
    const QFontMetrics metrics(TestFont());
    WrappedText::Layout layout = WrappedText::Lines(text, metrics, width, maxLines);
    if (more != nullptr) *more = layout.more;
    return layout.lines;
}

int Width(const QString& text) { return QFontMetrics(TestFont()).horizontalAdvance(text); }

} // namespace

TEST(WrappedText, BreaksAtBlanksOnly)
{
    EXPECT_EQ(Lines("12/25/1999", 500, 5), std::vector<QString>{"12/25/1999"});
    const int width = std::max(Width("alpha beta"), Width("gamma-delta")) + 2;
    EXPECT_EQ(Lines("alpha beta gamma-delta", width, 5),
              (std::vector<QString>{"alpha beta", "gamma-delta"}));
}

TEST(WrappedText, LineBreaksOfTheTextEndLines)
{
    EXPECT_EQ(Lines("one\r\ntwo\nthree\rfour", 500, 9),
              (std::vector<QString>{"one", "two", "three", "four"}));
    EXPECT_EQ(Lines("one\r\n\r\nthree", 500, 9), (std::vector<QString>{"one", "", "three"}));
}

TEST(WrappedText, WordWiderThanTheCellIsBrokenWithoutLosingCharacters)
{
    const QString word(40, u'm');
    const std::vector<QString> lines = Lines(word, Width("mmmmm"), 20);
    ASSERT_GT(lines.size(), 1u);
    QString joined;
    for (const QString& line : lines) {
        EXPECT_LE(Width(line), Width("mmmmm"));
        joined += line;
    }
    EXPECT_EQ(joined, word);
}

TEST(WrappedText, TellsWhenTheTextGoesOnPastTheLastLine)
{
    bool more = false;
    EXPECT_EQ(Lines("m m m m", Width("m"), 2, &more), (std::vector<QString>{"m", "m"}));
    EXPECT_TRUE(more);
    EXPECT_EQ(Lines("m m", Width("m"), 2, &more).size(), 2u);
    EXPECT_FALSE(more);
}

TEST(WrappedText, TextOfAnyLengthShowsItsBeginningWhole)
{
    QString note;
    for (int i = 0; i < 200'000; ++i) note += "word" + QString::number(i % 10) + u' ';
    bool more = false;
    const std::vector<QString> full = Lines(note, 238, 7, &more);
    EXPECT_TRUE(more);
    EXPECT_EQ(full, Lines(note.left(600), 238, 7));
    EXPECT_EQ(full.size(), 7u);
}

TEST(WrappedText, DrawnTextEndsWithAnEllipsisWhenItDoesNotFit)
{
    QImage fits(200, 40, QImage::Format_RGB32);
    QImage cut(200, 40, QImage::Format_RGB32);
    QImage withEllipsis(200, 40, QImage::Format_RGB32);
    for (QImage* image : {&fits, &cut, &withEllipsis}) image->fill(Qt::white);
    const QRect rect(0, 0, 200, QFontMetrics(TestFont()).lineSpacing());
    const auto draw = [&rect](QImage& image, const QString& text) {
        QPainter painter(&image);
        painter.setFont(TestFont());
        painter.setPen(Qt::black);
        WrappedText::Draw(painter, rect, text, Qt::AlignLeft);
    };
    draw(fits, "short");
    draw(cut, "short and then much more text that cannot fit in the one line");
    draw(withEllipsis, QString("short and then much more ") + QChar(0x2026));
    EXPECT_NE(fits, cut);
    // What is drawn stays inside the rectangle.
    for (int x = 0; x < 200; ++x) EXPECT_EQ(cut.pixelColor(x, 39), QColor(Qt::white));
}
