#include "core/PrintGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace PrintGeometry {

double MarginFromText(std::string_view text)
{
    const std::string terminated(text);
    return std::atof(terminated.c_str());
}

Margins ClampMargins(Margins margins, const PrinterMetrics& printer)
{
    // A divided-out integer margin could still fall short of the offset, so the
    // clamped margin stays a fraction of a tenth.
    if (printer.lpx > 0 && margins.left * printer.lpx / 10 < printer.ox)
        margins.left = printer.ox * 10.0 / printer.lpx;
    if (printer.lpy > 0 && margins.top * printer.lpy / 10 < printer.oy)
        margins.top = printer.oy * 10.0 / printer.lpy;
    return margins;
}

Box BoxFor(PrintSize size, int pictureWidth, int pictureHeight)
{
    if (pictureHeight > pictureWidth) return {size.shortSide, size.longSide};
    return {size.longSide, size.shortSide};
}

ImagePlacement PlaceImage(PrintSize size, int width, int height, const PrinterMetrics& printer,
                          Margins margins)
{
    const Box box = BoxFor(size, width, height);
    const std::int64_t boxWidth = std::int64_t{box.width} * printer.lpx;
    const std::int64_t boxHeight = std::int64_t{box.height} * printer.lpy;
    std::int64_t outWidth = 0;
    std::int64_t outHeight = 0;
    if (width > 0 && height > 0) {
        const float boxShape = static_cast<float>(boxWidth) / static_cast<float>(boxHeight);
        const float pictureShape = static_cast<float>(width) / static_cast<float>(height);
        if (boxShape > pictureShape) {
            outHeight = boxHeight;
            outWidth = std::int64_t{printer.lpx} * box.height * width / height;
        } else {
            outWidth = boxWidth;
            outHeight = std::int64_t{printer.lpy} * box.width * height / width;
        }
    }
    const int x0 = static_cast<int>(std::trunc(printer.lpx * margins.left / 10 - printer.ox));
    const int y0 = static_cast<int>(std::trunc(printer.lpy * margins.top / 10 - printer.oy));
    ImagePlacement placement;
    placement.output = {x0, y0, x0 + static_cast<int>(outWidth), y0 + static_cast<int>(outHeight)};
    if (placement.output.right > printer.horzRes)
        placement.fit = Fit::TooWide;
    else if (placement.output.bottom > printer.vertRes)
        placement.fit = Fit::TooTall;
    return placement;
}

int PointHeight(int points, int lpy)
{
    return static_cast<int>(std::lround(points * static_cast<double>(lpy) / 72));
}

ReportFrame FrameReport(const PrinterMetrics& printer, Margins margins, int h10, int h16)
{
    ReportFrame frame;
    frame.x0 = static_cast<int>(std::trunc(margins.left / 10 * printer.lpx - printer.ox));
    frame.y0 = static_cast<int>(std::trunc(margins.top / 10 * printer.lpy - printer.oy));
    frame.x1 = printer.horzRes - frame.x0 - 1;
    frame.textLeft =
        static_cast<int>(std::trunc((margins.left / 10 + 1.75) * printer.lpx - printer.ox));
    frame.heading = {frame.x0, frame.y0, frame.x1, frame.y0 + h16};
    frame.subHeading = {frame.x0, frame.y0 + h16, frame.x1, frame.y0 + h16 + h10 + printer.lpy / 4};
    frame.footerTop = std::min(printer.vertRes - h10 - printer.lpy / 10,
                               printer.vertRes - frame.y0 + printer.lpy / 4 + h10 + 1);
    frame.footer = {frame.x0, frame.footerTop, frame.x1, printer.vertRes - 1};
    return frame;
}

} // namespace PrintGeometry
