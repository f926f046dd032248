#include "ui/output/ImagePrinter.h"

#include "core/Prompter.h"
#include "imaging/PackedDib.h"
#include "imaging/Picture.h"
#include "ui/common/ByteText.h"
#include "ui/output/PrinterPage.h"

#include <QPainter>
#include <QPrinter>

std::string ImagePrinter::UnreadableMessage(const std::string& picturePath)
{
    return "Unable to read picture file " + picturePath + ", nothing was printed";
}

ImagePrinter::Outcome ImagePrinter::Print(QPrinter& printer, const std::string& picturePath,
                                          const std::string& jobName, PrintGeometry::PrintSize size,
                                          const Settings& settings, Prompter& prompter)
{
    Picture picture;
    if (picture.LoadFile(picturePath) != Picture::kOk || !picture.HasPicture()) {
        prompter.Message(UnreadableMessage(picturePath));
        return Outcome::Unreadable;
    }
    int width = 0;
    int height = 0;
    picture.GetSize(width, height);

    const PrintGeometry::PrinterMetrics metrics = PrinterPage::Metrics(printer);
    const PrintGeometry::Margins margins = PrinterPage::Margins(settings, metrics);
    const PrintGeometry::ImagePlacement placed =
        PrintGeometry::PlaceImage(size, width, height, metrics, margins);
    if (placed.fit == PrintGeometry::Fit::TooWide) {
        prompter.Message(kTooWide);
        return Outcome::TooLarge;
    }
    if (placed.fit == PrintGeometry::Fit::TooTall) {
        prompter.Message(kTooTall);
        return Outcome::TooLarge;
    }

    picture.BuildDisplayPalette();
    const std::vector<std::uint8_t> dib = picture.ToPackedDib();
    const std::optional<img::Palette> palette = picture.DisplayPalette();
    picture.Release();
    const QRect source(0, 0, DibWidth(dib.data(), dib.size()), DibHeight(dib.data(), dib.size()));

    printer.setDocName(ByteText::ToDisplay(jobName));
    QPainter painter;
    if (!painter.begin(&printer)) {
        prompter.Message(PrinterPage::kCannotStart);
        return Outcome::NoPrinter;
    }
    const PrintGeometry::Rect& out = placed.output;
    PaintDib(&painter, QRect(out.left, out.top, out.Width(), out.Height()), dib.data(), dib.size(),
             source, palette ? &*palette : nullptr);
    painter.end();
    return Outcome::Printed;
}
