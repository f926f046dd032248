#pragma once

// The imaging layer: every decode, encode, resample and pixel filter of the program, as
// free functions on PixelBuffer. Each returns how it went: a Status, or a Result holding
// what it made (an empty one on failure) or the error. Paths are the file name's bytes.
// Thread-compatible: different buffers may be worked on from different threads at once.

#include "imaging/ImagingErrors.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Result.h"
#include "imaging/Status.h"

#include <QImage>
#include <QList>
#include <QRgb>
#include <QSize>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class QPainter;

namespace img {

// A colour table for drawing. Drawing is true colour; a palette is accepted where the
// program passes one and otherwise left alone.
using Palette = QList<QRgb>;

// One entry of a palette made by MakePalette, in the byte order blue, green, red, 0.
struct PaletteEntry {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;
};

// ---- JPEG (libjpeg-turbo) ----

// Decodes a JPEG file upright: an EXIF orientation other than 1 is applied. When
// `comments` is given it receives every comment (COM) marker in file order, byte for byte.
Result<PixelBuffer> ReadJpeg(const std::string& path, std::vector<std::string>* comments = nullptr);
// As ReadJpeg, for previews that need a small picture only: the camera's Exif thumbnail
// when it shows the whole picture and covers it fitted into the box (no comments are
// read then), else a decoding at the smallest DCT scale (1/8, 1/4, 1/2 or 1) whose
// result still covers the fitted picture.
Result<PixelBuffer> ReadJpegForBox(const std::string& path, int boxWidth, int boxHeight,
                                   std::vector<std::string>* comments = nullptr);
// Decodes JPEG bytes at 1/scaleDenominator (1, 2, 4 or 8) of the full size.
Result<PixelBuffer> DecodeJpeg(std::span<const std::uint8_t> bytes,
                               std::vector<std::string>* comments = nullptr,
                               int scaleDenominator = 1);
// Writes a baseline JPEG (4:2:0, quality 0..100 clamped to 1..100 as libjpeg does) with
// the comments as COM markers in order. The file is written beside the target under a
// temporary name and renamed over it only when complete, so a full disk or a failing
// write never destroys an existing version.
Status WriteJpeg(const std::string& path, const PixelBuffer& pixels, int quality,
                 const std::vector<std::string>& comments = {});
// The same encoding into memory.
Result<std::vector<std::uint8_t>> EncodeJpeg(const PixelBuffer& pixels, int quality,
                                             const std::vector<std::string>& comments = {});

// ---- Other formats (Qt's readers; PCX our own) ----
// Transparent pixels come out on black. Sizes are checked before decoding.
Result<PixelBuffer> ReadBmp(const std::string& path);
Result<PixelBuffer> ReadGif(const std::string& path);  // the first frame
Result<PixelBuffer> ReadTiff(const std::string& path); // the first page
Result<PixelBuffer> ReadPng(const std::string& path);
Result<PixelBuffer> ReadPcx(const std::string& path);
// Decoding from memory, for the fuzzers and for callers holding the bytes already.
// `format` is Qt's format name: "bmp", "gif", "tiff" or "png".
Result<PixelBuffer> DecodeWithQt(std::span<const std::uint8_t> bytes, const char* format);
Result<PixelBuffer> DecodePcx(std::span<const std::uint8_t> bytes);
// Converts a QImage of any format; alpha is composed onto black.
Result<PixelBuffer> FromQImage(const QImage& image);

// The picture's size without decoding its pixels: JPEG from its header (upright, so an
// EXIF orientation that turns it swaps the two), the other formats through QImageReader.
std::optional<QSize> ReadImageSize(const std::string& path);
// The raw "YYYY:MM:DD HH:MM:SS" text of Exif.Photo.DateTimeOriginal, if the file has one.
std::optional<std::string> ReadExifDateTaken(const std::string& path);

// ---- Resampling and geometry (OpenCV imgproc) ----

// A copy at the new size: reduced as Reduce does when no side grows, bicubic otherwise.
Result<PixelBuffer> Resample(const PixelBuffer& pixels, int newWidth, int newHeight);
// A copy at a size no larger on either side: exact 2:1 area-averaging halvings while the
// picture is twice the target or more, then bilinear for the rest (a factor below 2).
Result<PixelBuffer> Reduce(const PixelBuffer& pixels, int newWidth, int newHeight);
// Resamples `source` into `target` at the target's own size (its memory is reused).
Status ResampleInto(const PixelBuffer& source, PixelBuffer& target);
// The rectangle [left, right) x [top, bottom); it must lie inside the picture.
Result<PixelBuffer> Crop(const PixelBuffer& pixels, int left, int top, int right, int bottom);
// As Crop, but the kept rectangle moves to the front of the same memory and the rest is
// given back: no second buffer. Fails as Crop does, leaving the pixels as they were.
Status CropInPlace(PixelBuffer& pixels, int left, int top, int right, int bottom);

// Clockwise quarter turns on screen.
enum class Turn { Quarter = 0, Half = 1, ThreeQuarters = 2 };
// Turns the picture; the buffer's width and height swap for a quarter or three quarters.
Status RotateQuarter(PixelBuffer& pixels, Turn turn);
// A turned copy, the source left as it is (a half turn too).
Result<PixelBuffer> TurnQuarter(const PixelBuffer& pixels, Turn turn);
// Turns by `radians` clockwise on screen about the centre, bilinear, into the bounding
// box of the turned picture; the corners it does not cover get `fill`.
Result<PixelBuffer> Rotate(const PixelBuffer& pixels, double radians,
                           QRgb fill = qRgb(255, 255, 255));

// ---- Filters ----
// Unsharp mask / Gaussian blur, scaled by amount (0 = an exact copy); see Filters.cpp.
// `target` must have the source's size.
Status Sharpen(const PixelBuffer& source, PixelBuffer& target, int amount);
Status Soften(const PixelBuffer& source, PixelBuffer& target, int amount);

// Channel mask bits for ApplyTable.
inline constexpr int kRedChannel = 1;
inline constexpr int kGreenChannel = 2;
inline constexpr int kBlueChannel = 4;
// Each selected channel value v becomes table[v], in place.
Status ApplyTable(PixelBuffer& pixels, int channelMask,
                  const std::array<std::uint8_t, 256>& table);

// A 256-colour palette that represents the picture well (median cut); unused entries are
// black. kErrBadArgument for an empty picture.
Result<std::vector<PaletteEntry>> MakePalette(const PixelBuffer& pixels, int colours = 256);
Palette ToQtPalette(const std::vector<PaletteEntry>& entries);

// ---- Drawing and conversion (Qt) ----

// Draws unscaled with the top-left corner at (x, y), clipped to the area.
Status Draw(QPainter* painter, const PixelBuffer& pixels, int x, int y, int areaWidth,
            int areaHeight, const Palette* palette);
// A deep copy as a QImage (Format_RGB888), e.g. for a QLabel via QPixmap::fromImage.
Result<QImage> ToBitmap(const PixelBuffer& pixels);
// A packed DIB: 40-byte information header, 24 bits per pixel, bottom-up rows padded to
// four bytes, blue-green-red.
Result<std::vector<std::uint8_t>> ToDib(const PixelBuffer& pixels);
// Reads a packed DIB (40-, 12-, 108- or 124-byte header; 1/4/8/16/24/32 bits, RLE).
Result<PixelBuffer> FromDib(const std::uint8_t* dib, std::size_t size);
// The program's bitmap resource ":/bitmaps/<id>.bmp"; kErrNoResource when there is none.
Result<PixelBuffer> LoadBitmapResource(int id);

} // namespace img
