#pragma once

#include <cstdint>
#include <string_view>

// The arithmetic of both print commands, in printer device pixels. Device
// coordinates start at the corner of the printable area; the printing offset is
// the distance from the paper's corner to that area's corner.
namespace PrintGeometry {

// What the printer tells about its page.
struct PrinterMetrics {
    int horzRes = 0; // printable width
    int vertRes = 0; // printable height
    int lpx = 0;     // pixels per inch across
    int lpy = 0;     // pixels per inch down
    int ox = 0;      // printing offset across
    int oy = 0;      // printing offset down
};

// Left and top margins in tenths of an inch from the paper's edge.
struct Margins {
    double left = 10;
    double top = 10;
};

// Right and bottom exclusive, as the painter's rectangles are not.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// A print size in whole inches.
struct PrintSize {
    int longSide = 3;
    int shortSide = 2;
};

// The margin settings are text; what atof makes of them counts.
double MarginFromText(std::string_view text);

// A margin that would lie inside the unprintable border moves out to its edge.
Margins ClampMargins(Margins margins, const PrinterMetrics& printer);

// A box `width` by `height` inches: portrait pictures stand the box up, square
// ones lie like landscape ones.
struct Box {
    int width = 0;
    int height = 0;
};
Box BoxFor(PrintSize size, int pictureWidth, int pictureHeight);

enum class Fit { Fits, TooWide, TooTall };

struct ImagePlacement {
    Rect output;
    Fit fit = Fit::Fits;
};

// Where Print image puts a picture of `width` x `height` pixels; margins already
// clamped.
ImagePlacement PlaceImage(PrintSize size, int width, int height, const PrinterMetrics& printer,
                          Margins margins);

// The pixel height of a font of `points` points: rounded to the nearest pixel.
int PointHeight(int points, int lpy);

// The fixed parts of every report page.
struct ReportFrame {
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int textLeft = 0;  // where the text column starts; the thumbnails stand left of it
    int footerTop = 0; // F: entries end a quarter inch above it
    Rect heading;
    Rect subHeading;
    Rect footer;
    // The lowest bottom an entry may reach.
    int EntryLimit(int lpy) const { return footerTop - lpy / 4; }
};

// `h10` and `h16` are the pixel heights of the body and heading fonts.
ReportFrame FrameReport(const PrinterMetrics& printer, Margins margins, int h10, int h16);

} // namespace PrintGeometry
