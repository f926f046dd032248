#include "ui/output/ReportPrinter.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoField.h"
#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "imaging/PackedDib.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "ui/common/ByteText.h"
#include "ui/output/PrinterPage.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <limits>

namespace {

using PrintGeometry::ReportFrame;

constexpr int kFlagsLeft = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
constexpr int kFlagsCentred = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;

QRect ToQRect(const PrintGeometry::Rect& rect)
{
    return {rect.left, rect.top, rect.Width(), rect.Height()};
}

// Times New Roman where the machine has it, else its metric twin, so that lines
// wrap and pages break alike everywhere.
const QStringList& ReportFamilies()
{
    static const QStringList families{QStringLiteral("Times New Roman"),
                                      QStringLiteral("Liberation Serif")};
    return families;
}

bool ReportFontInstalled()
{
    return std::any_of(ReportFamilies().begin(), ReportFamilies().end(),
                       [](const QString& family) { return QFontDatabase::hasFamily(family); });
}

QFont ReportFont(int pixelHeight, QFont::Weight weight)
{
    QFont font(ReportFamilies().front());
    font.setFamilies(ReportFamilies());
    font.setStyleHint(QFont::Serif, QFont::PreferQuality);
    font.setPixelSize(std::max(1, pixelHeight));
    font.setWeight(weight);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

// The four texts of one entry, as the painter takes them.
struct EntryTexts {
    QString firstLine;
    QString persons;
    QString notes;
    QString fileLine;
};

EntryTexts TextsOf(const CQuilleryDoc& catalog, const PhotoRecord& photo)
{
    const std::string events = FieldText(catalog, photo, PhotoField::Events);
    const std::string locations = FieldText(catalog, photo, PhotoField::Locations);
    std::string first = std::string(photo.GetDateText()) + "  " + events;
    if (!events.empty() && !locations.empty()) first += " in ";
    first += locations;
    QString notes = ByteText::ToDisplay(photo.GetNotes());
    notes.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return {ByteText::ToDisplay(first),
            ByteText::ToDisplay(FieldText(catalog, photo, PhotoField::Persons)), notes,
            ByteText::ToDisplay("Filename: " + photo.GetFileName() + ".jpg")};
}

// Where each text of an entry goes; empty persons or notes take no room.
struct EntryBlocks {
    QRect firstLine;
    QRect persons;
    QRect notes;
    QRect fileLine;
};

EntryBlocks Measure(QPainter& painter, const EntryTexts& texts, const ReportFrame& frame, int y,
                    int lpy)
{
    const int width = frame.x1 - frame.textLeft;
    const auto measure = [&](int top, const QString& text) {
        return painter.boundingRect(
            QRect(frame.textLeft, top, width, std::numeric_limits<int>::max() / 4), kFlagsLeft,
            text);
    };
    // Blocks are stacked by their measured bottoms, not by their top-left corners:
    // a wrapped block is as tall as its lines.
    const auto below = [lpy](const QRect& block) {
        return block.top() + block.height() + lpy / 20;
    };
    EntryBlocks blocks;
    blocks.firstLine = measure(y, texts.firstLine);
    int next = below(blocks.firstLine);
    if (!texts.persons.isEmpty()) {
        blocks.persons = measure(next, texts.persons);
        next = below(blocks.persons);
    }
    if (!texts.notes.isEmpty()) {
        blocks.notes = measure(next, texts.notes);
        next = below(blocks.notes);
    }
    blocks.fileLine = measure(next, texts.fileLine);
    return blocks;
}

int Bottom(const QRect& rect)
{
    return rect.top() + rect.height();
}

bool Fits(const EntryBlocks& blocks, int y, const ReportFrame& frame, int lpy)
{
    const int limit = frame.EntryLimit(lpy);
    return Bottom(blocks.fileLine) <= limit && y + lpy <= limit;
}

// Paints the full-screen version fitted into the thumbnail column; the height it
// took, 0 when the picture cannot be read.
int PaintThumbnail(QPainter& painter, Picture& picture, const std::string& path, int x, int y,
                   const PrintGeometry::PrinterMetrics& metrics)
{
    picture.Release();
    if (picture.LoadFile(path) != Picture::kOk || !picture.HasPicture()) return 0;
    if (picture.FitInto(static_cast<int>(1.5 * metrics.lpx), metrics.lpy) != Picture::kOk) return 0;
    picture.BuildDisplayPalette();
    const std::vector<std::uint8_t> dib = picture.ToPackedDib();
    const int width = DibWidth(dib.data(), dib.size());
    const int height = DibHeight(dib.data(), dib.size());
    const std::optional<img::Palette>& palette = picture.DisplayPalette();
    PaintDib(&painter, QRect(x, y, width, height), dib.data(), dib.size(),
             QRect(0, 0, width, height), palette ? &*palette : nullptr);
    return height;
}

} // namespace

ReportPrinter::ReportPrinter(const Library& library, const Settings& settings, Prompter& prompter,
                             QObject* parent)
    : QObject(parent), m_library(library), m_settings(settings), m_prompter(prompter)
{
}

int ReportPrinter::Print(QPrinter& printer, const std::vector<const PhotoRecord*>& photos)
{
    const PrintGeometry::PrinterMetrics metrics = PrinterPage::Metrics(printer);
    const int h10 = PrintGeometry::PointHeight(10, metrics.lpy);
    const int h16 = PrintGeometry::PointHeight(16, metrics.lpy);
    const bool haveFont = ReportFontInstalled();
    if (!haveFont) m_prompter.Message(kNoFont);
    const QFont body = haveFont ? ReportFont(h10, QFont::Normal) : QFont();
    const QFont heading = ReportFont(h16, QFont::Bold);

    const PrintGeometry::Margins margins = PrinterPage::Margins(m_settings, metrics);
    const ReportFrame frame = PrintGeometry::FrameReport(metrics, margins, h10, h16);
    const QString path = ByteText::ToDisplay(m_library.Path());

    printer.setDocName(path);
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_prompter.Message(PrinterPage::kCannotStart);
        return 0;
    }
    painter.setFont(body);

    const auto drawFooter = [&](int page) {
        painter.drawText(ToQRect(frame.footer), kFlagsCentred, QString::number(page));
    };
    const auto drawHeadings = [&] {
        painter.setFont(heading);
        painter.drawText(
            ToQRect(frame.heading), kFlagsCentred,
            QString::fromUtf8(kHeading.data(), static_cast<qsizetype>(kHeading.size())));
        painter.setFont(body);
        painter.drawText(ToQRect(frame.subHeading), kFlagsCentred, path);
    };

    const CQuilleryDoc& catalog = m_library.Catalog();
    const std::string directory = m_library.Directory();
    Picture picture;
    int page = 1;
    int y = 0;
    bool pageFull = true; // before the first entry
    bool firstEntry = true;
    for (const PhotoRecord* photo : photos) {
        const EntryTexts texts = TextsOf(catalog, *photo);
        EntryBlocks blocks = Measure(painter, texts, frame, y, metrics.lpy);
        bool cut = false;
        if (pageFull || !Fits(blocks, y, frame, metrics.lpy)) {
            if (!firstEntry) {
                drawFooter(page);
                ++page;
                printer.newPage();
            }
            drawHeadings();
            y = Bottom(ToQRect(frame.subHeading));
            Q_EMIT statusText(QStringLiteral("Page %1 being printed").arg(page));
            blocks = Measure(painter, texts, frame, y, metrics.lpy);
            // Taller than an empty page: it keeps this page to itself, and what goes
            // below the entries' limit is cut off.
            cut = !Fits(blocks, y, frame, metrics.lpy);
        }
        firstEntry = false;
        pageFull = false;
        if (cut) {
            painter.setClipRect(QRect(frame.x0, y, frame.x1 - frame.x0,
                                      std::max(0, frame.EntryLimit(metrics.lpy) - y)));
        }
        const std::string picturePath = PictureStore::VersionPath(
            directory, PictureStore::Version::FullScreen, photo->GetFileName());
        const int thumbnailHeight =
            PaintThumbnail(painter, picture, picturePath, frame.x0, y, metrics);

        painter.drawText(blocks.firstLine, kFlagsLeft, texts.firstLine);
        if (!texts.persons.isEmpty()) painter.drawText(blocks.persons, kFlagsLeft, texts.persons);
        if (!texts.notes.isEmpty()) painter.drawText(blocks.notes, kFlagsLeft, texts.notes);
        painter.drawText(blocks.fileLine, kFlagsLeft, texts.fileLine);
        if (cut) {
            painter.setClipping(false);
            pageFull = true;
        }
        y = std::max(y + thumbnailHeight + metrics.lpy / 4,
                     Bottom(blocks.fileLine) + metrics.lpy / 4);
    }
    drawFooter(page);
    Q_EMIT statusText(QString());
    painter.end();
    return page;
}
