#include "PdfProbe.h"

#include "core/SettingsKeys.h"
#include "ui/output/ImagePrinter.h"

#include <gtest/gtest.h>

namespace {

using Outcome = ImagePrinter::Outcome;

using PdfProbe::kBorder;
using PdfProbe::kDpi;
using PdfProbe::kReadDpi;

struct PrintCase {
    const char* name;
    int width;
    int height;
    PrintGeometry::PrintSize size;
    QPageLayout::Orientation orientation;
    const char* leftMargin;
    const char* topMargin;
    Outcome outcome;
    std::string_view message;
    // The picture on the paper, in 600-dpi pixels from the paper's corner.
    QRect onPaper;
};

// The case's name, not its bytes, in the test's title.
void PrintTo(const PrintCase& c, std::ostream* out)
{
    *out << c.name;
}

class ImagePrinterTest : public PdfPrinterTest, public testing::WithParamInterface<PrintCase> {};

TEST_P(ImagePrinterTest, PrintsAtTheSizeAndMarginsOrRefuses)
{
    const PrintCase& c = GetParam();
    m_printer.setPageOrientation(c.orientation);
    m_settings.WriteString(SettingsKeys::LeftMargin.name, c.leftMargin);
    m_settings.WriteString(SettingsKeys::TopMargin.name, c.topMargin);
    const std::string picture = m_library.MakeImage("picture.jpg", c.width, c.height);

    EXPECT_EQ(ImagePrinter::Print(m_printer, picture, "beach01", c.size, m_settings, m_prompter),
              c.outcome);

    if (c.outcome != Outcome::Printed) {
        EXPECT_EQ(m_prompter.Texts(), std::vector<std::string>{std::string(c.message)});
        EXPECT_FALSE(Exists(m_pdf)) << "no job is started";
        return;
    }
    EXPECT_TRUE(m_prompter.Texts().empty());
    EXPECT_EQ(PdfProbe::PageCount(m_pdf), 1);
    EXPECT_EQ(PdfProbe::Info(m_pdf, QStringLiteral("Title")), QStringLiteral("beach01"));
    const int scale = kDpi / kReadDpi;
    const QRect expected(c.onPaper.topLeft() / scale, c.onPaper.size() / scale);
    const QRect ink = PdfProbe::InkBox(PdfProbe::Render(m_pdf, 1, kReadDpi));
    EXPECT_NEAR(ink.left(), expected.left(), 1);
    EXPECT_NEAR(ink.top(), expected.top(), 1);
    EXPECT_NEAR(ink.width(), expected.width(), 2);
    EXPECT_NEAR(ink.height(), expected.height(), 2);
}

constexpr auto kPortrait = QPageLayout::Portrait;
constexpr auto kLandscape = QPageLayout::Landscape;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Pages, ImagePrinterTest,
    testing::Values(
        // The box is 7 wide and 5 high; 1.4 > 4/3, so the height limits: 4000 x 3000.
        PrintCase{"HighRes5x7", 1600, 1200, {7, 5}, kPortrait, "10", "10", Outcome::Printed, {}, {600, 600, 4000, 3000}},
        // Standing up: 2 inches wide, 3 high; the width limits: 1200 x 1600.
        PrintCase{"Portrait2x3", 600, 800, {3, 2}, kPortrait, "10", "10", Outcome::Printed, {}, {600, 600, 1200, 1600}},
        // A margin of 0 is moved out to the printable area's edge.
        PrintCase{"ZeroMargins", 800, 600, {3, 2}, kPortrait, "0", "0", Outcome::Printed, {}, {kBorder, kBorder, 1600, 1200}},
        PrintCase{"MarginsInTenths", 800, 600, {3, 2}, kPortrait, "25", "15", Outcome::Printed, {}, {1500, 900, 1600, 1200}},
        // 9 inches across do not go on 8 printable ones.
        PrintCase{"TooWide", 1600, 1200, {9, 7}, kPortrait, "10", "10", Outcome::TooLarge, ImagePrinter::kTooWide, {}},
        // Standing up on a landscape page: 9 inches down do not go on 8.
        PrintCase{"TooTall", 1200, 1600, {9, 7}, kLandscape, "10", "10", Outcome::TooLarge, ImagePrinter::kTooTall, {}}),
    [](const testing::TestParamInfo<PrintCase>& print) { return print.param.name; });
// clang-format on

TEST_F(PdfPrinterTest, UnreadablePictureIsToldAndNothingPrinted)
{
    WriteBytes(m_library.File("broken.jpg"), "not a picture");
    const std::string path = m_library.File("broken.jpg");
    EXPECT_EQ(ImagePrinter::Print(m_printer, path, "broken", {3, 2}, m_settings, m_prompter),
              Outcome::Unreadable);
    EXPECT_EQ(m_prompter.Texts(), std::vector<std::string>{ImagePrinter::UnreadableMessage(path)});
    EXPECT_FALSE(Exists(m_pdf));
}

} // namespace
