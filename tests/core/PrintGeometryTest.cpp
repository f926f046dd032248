#include "core/PrintGeometry.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

using namespace PrintGeometry;

namespace {

// Letter paper at 600 pixels per inch with a quarter inch that cannot be printed on
// each side.
constexpr PrinterMetrics kLetter600{4800, 6300, 600, 600, 150, 150};

struct PlaceCase {
    const char* name;
    PrintSize size;
    int width;
    int height;
    PrinterMetrics printer;
    Margins margins;
    Rect output;
    Fit fit;
};

// The case's name, not its bytes, in the test's title.
void PrintTo(const PlaceCase& c, std::ostream* out)
{
    *out << c.name;
}

class PlaceImageTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceImageTest, PlacesAndChecksTheOutput)
{
    const PlaceCase& c = GetParam();
    const ImagePlacement placed =
        PlaceImage(c.size, c.width, c.height, c.printer, ClampMargins(c.margins, c.printer));
    EXPECT_EQ(placed.output, c.output);
    EXPECT_EQ(placed.fit, c.fit);
}

constexpr PrinterMetrics kNoBorder600{4800, 6300, 600, 600, 0, 0};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Sizes, PlaceImageTest,
    testing::Values(
        // 7x5 box: 4200/3000 = 1.4 is wider than 4/3, so the height limits.
        PlaceCase{"Landscape5x7HeightLimits", {7, 5}, 1600, 1200, kNoBorder600, {10, 10}, {600, 600, 4600, 3600}, Fit::Fits},
        // A panorama is limited by the width: 1800 wide, 1800 * 1 / 4 high.
        PlaceCase{"PanoramaWidthLimits", {3, 2}, 800, 200, kNoBorder600, {10, 10}, {600, 600, 2400, 1050}, Fit::Fits},
        // Portrait stands the box up: 2 wide, 3 high; 2/3 is below 3/4 so the width
        // limits: 1200 wide, 1200 * 4 / 3 high.
        PlaceCase{"PortraitStandsUp", {3, 2}, 600, 800, kNoBorder600, {10, 10}, {600, 600, 1800, 2200}, Fit::Fits},
        // A square lies like landscape: 3x2 box, height limits, 1200 x 1200.
        PlaceCase{"SquareLiesDown", {3, 2}, 500, 500, kNoBorder600, {10, 10}, {600, 600, 1800, 1800}, Fit::Fits},
        // A margin of 0 is moved out to the printable area's edge.
        PlaceCase{"ZeroMarginAtPrintableEdge", {3, 2}, 800, 600, kLetter600, {0, 0}, {0, 0, 1600, 1200}, Fit::Fits},
        // A margin beyond the border is counted from the paper's edge.
        PlaceCase{"MarginFromPaperEdge", {3, 2}, 800, 600, kLetter600, {10, 5}, {450, 150, 2050, 1350}, Fit::Fits},
        // Truncation: 600 * 5 * 1000 / 750 = 4000 exactly; 601 x 751 gives 3.999.
        PlaceCase{"QuotientTruncated", {7, 5}, 1001, 751, kNoBorder600, {0, 0}, {0, 0, 3998, 3000}, Fit::Fits},
        // 9x7 landscape on a portrait page: 5400 wide does not fit in 4800.
        PlaceCase{"TooWide", {9, 7}, 1600, 1200, kLetter600, {10, 10}, {450, 450, 450 + 5400, 450 + 4050}, Fit::TooWide},
        // The same picture standing up fits across but not down on a short page.
        PlaceCase{"TooTall", {9, 7}, 1200, 1600, PrinterMetrics{4800, 5000, 600, 600, 150, 150}, {10, 10},
                  {450, 450, 450 + 4050, 450 + 5400}, Fit::TooTall},
        // Right on the edge still fits.
        PlaceCase{"ExactlyAtTheEdge", {7, 5}, 1600, 1200, PrinterMetrics{4000, 3000, 600, 600, 0, 0}, {0, 0},
                  {0, 0, 4000, 3000}, Fit::Fits},
        // A picture of billions of pixel-inch products must not overflow.
        PlaceCase{"LargeProductsDoNotOverflow", {9, 7}, 60000, 45000, PrinterMetrics{20000, 20000, 2400, 2400, 0, 0},
                  {0, 0}, {0, 0, 21600, 16200}, Fit::TooWide}),
    [](const testing::TestParamInfo<PlaceCase>& place) { return place.param.name; });
// clang-format on

TEST(PrintGeometry, ClampedMarginIsNeverInsideTheBorderEvenWhenNotWhole)
{
    // Margins are typed as text and read as atof reads them.
    EXPECT_EQ(std::pair(MarginFromText("7.5 tenths"), MarginFromText("abc")), std::pair(7.5, 0.0));
    // 100 pixels at 600 per inch is 1.666 tenths: a whole tenth would fall inside.
    const PrinterMetrics printer{4800, 6300, 600, 600, 100, 100};
    const Margins clamped = ClampMargins({0, 1}, printer);
    EXPECT_GE(clamped.left * printer.lpx / 10, printer.ox - 1e-9);
    EXPECT_GE(clamped.top * printer.lpy / 10, printer.oy - 1e-9);
    EXPECT_EQ(PlaceImage({3, 2}, 3, 2, printer, clamped).output.left, 0);
    // A margin outside the border is left alone.
    EXPECT_DOUBLE_EQ(ClampMargins({12, 15}, printer).left, 12);
}

TEST(PrintGeometry, ReportFrameOnA600DpiPage)
{
    // Font heights round to the nearest pixel: 83.33 down, 41.67 up.
    EXPECT_EQ(std::pair(PointHeight(10, 600), PointHeight(10, 300)), std::pair(83, 42));
    const int h10 = PointHeight(10, 600);
    const int h16 = PointHeight(16, 600);
    const ReportFrame frame = FrameReport(kLetter600, ClampMargins({10, 10}, kLetter600), h10, h16);
    // The right margin mirrors the left one.
    EXPECT_EQ(std::tuple(frame.x0, frame.y0, frame.x1, frame.textLeft),
              std::tuple(450, 450, 4800 - 450 - 1, 450 + 1050));
    EXPECT_EQ(frame.heading, (Rect{450, 450, 4349, 450 + 133}));
    EXPECT_EQ(frame.subHeading, (Rect{450, 583, 4349, 583 + 83 + 150}));
    // Below the line height over the foot, the footer's top mirrors the top margin.
    EXPECT_EQ(frame.footerTop, 6300 - 450 + 150 + 83 + 1);
    EXPECT_EQ(frame.footer, (Rect{450, 6084, 4349, 6299}));
    EXPECT_EQ(frame.EntryLimit(600), 6084 - 150);
    // With no unprintable border and a small margin, the line height over the foot
    // is the nearer.
    const PrinterMetrics edgeless{4800, 6300, 600, 600, 0, 0};
    EXPECT_EQ(FrameReport(edgeless, {2, 2}, h10, h16).footerTop, 6300 - 83 - 60);
    // A larger top margin moves the headings down and the footer up alike.
    const ReportFrame near = FrameReport(kLetter600, {10, 20}, h10, h16);
    const ReportFrame far = FrameReport(kLetter600, {10, 30}, h10, h16);
    EXPECT_EQ(std::tuple(far.heading.top - near.heading.top, near.footerTop - far.footerTop,
                         far.footer.bottom - near.footer.bottom),
              std::tuple(600, 600, 0));
}

} // namespace
