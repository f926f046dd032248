#pragma once

#include "imaging/Imaging.h"
#include "imaging/PixelBuffer.h"

#include <QImage>
#include <QRect>

#include <array>
#include <memory>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

class QPainter;

// One decoded picture in memory with its companions: a display palette, the scaled copy
// kept for DrawFitted, and the comments of the JPEG file it came from.
//
// Result codes (int): 0 success; 1 memory could not be obtained; 2 LoadFile was given an
// empty path; 5 the picture is empty, no painter was given, a size was below 1 or a ratio
// was 0, or the fitted copy could not be made; any other: the imaging layer's error
// (img::ErrorCode), passed on unchanged.
//
// Operations that replace the pixel buffer (loads, CreateBlank, CopyFrom, Resize/FitInto,
// Crop, free-angle Rotate) drop the display palette, the fitted copy and the comments;
// quarter turns, Sharpen, Soften and the Adjust* tables keep the palette and comments but
// drop the fitted copy, which no longer shows the picture. A failed operation
// leaves the picture as it was, except the loads and MakeScaledCopy, which empty it first.
//
// CopyFrom shares the pixels instead of copying them; the first change to either picture
// then makes its own (a quarter turn, a crop or a filter writes a new buffer anyway, so
// the copy costs nothing more). Move-only. Distinct pictures may be used from different
// threads at once, also when they share pixels.
class Picture {
public:
    enum Code : int { kOk = 0, kNoMemory = 1, kEmptyPath = 2, kNotPossible = 5 };
    enum Format : int { kJpeg = 1 };
    enum Channel : int { kRed = 0, kGreen = 1, kBlue = 2 };

    Picture() = default;
    ~Picture() = default; // the members release everything
    Picture(Picture&&) noexcept = default;
    Picture& operator=(Picture&&) noexcept = default;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    void Release();
    bool HasPicture() const { return m_pixels != nullptr && !m_pixels->Empty(); }
    void GetSize(int& width, int& height) const;
    QSize GetSize() const { return {m_width, m_height}; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // Reads the file with the reader its extension names (".jpg", ".jpeg", ".png", ".bmp",
    // ".pcx", ".tif", ".tiff", ".gif"; case ignored, trailing blanks ignored). An unknown
    // extension reads nothing, leaves the picture empty and returns img::kErrUnsupported.
    int LoadFile(const std::string& path);
    // As LoadFile, but a JPEG is decoded at the smallest DCT scale that still covers the
    // picture fitted into the box (other formats load whole). For previews.
    int LoadFileForBox(const std::string& path, int boxWidth, int boxHeight);
    // Writes a JPEG file with this picture's comments when format is kJpeg (1); any other
    // format writes nothing and returns img::kErrUnsupported.
    int SaveFile(const std::string& path, int format, int quality);
    bool LoadFromDib(std::span<const std::uint8_t> dib);
    // Takes the pixels over as they are, without a copy (an empty buffer empties the
    // picture); palette, fitted copy and comments go as with a load.
    void Adopt(img::PixelBuffer pixels);
    int LoadBitmapResource(int id);
    int CopyFrom(const Picture& other);
    int CreateBlank(int width, int height);
    int MakeScaledCopy(const Picture& source, int boxWidth, int boxHeight);
    int FitInto(int boxWidth, int boxHeight);
    // Becomes the source fitted as FitInto fits it, scaled straight from the source's
    // pixels: no full-size copy stands in between, which for a large picture is the
    // bulk of the memory.
    int FitCopyOf(const Picture& source, int boxWidth, int boxHeight);
    int Resize(int width, int height);
    int Crop(int left, int top, int right, int bottom);
    // Positive degrees turn clockwise on screen. Quarter turns (90, 180, 270 and their
    // negative forms) are exact; other angles give the bounding box with white corners.
    int Rotate(double degrees);
    int Sharpen(int amount);
    int Soften(int amount);
    int AdjustBrightness(int percent);
    int AdjustColor(int percent, int channel);
    int BuildDisplayPalette();

    // Draws unscaled with the top-left corner at (x, y) within an area of width x height.
    int Draw(QPainter* painter, int x, int y, int width, int height,
             const img::Palette* palette = nullptr) const;
    int DrawInRect(QPainter* painter, const QRect& rect, const img::Palette* palette = nullptr) const;
    // Draws scaled to fit the rectangle, centred; the scaled copy is kept for repaints
    // at the same size.
    int DrawFitted(QPainter* painter, const QRect& rect, const img::Palette* palette = nullptr);

    // A copy for a picture label (null image when empty).
    QImage ToBitmap() const;
    // A packed DIB of the picture (empty when the picture is empty).
    std::vector<std::uint8_t> ToPackedDib() const;

    const std::vector<std::string>& JpegComments() const { return m_comments; }
    void SetJpegComments(std::vector<std::string> comments) { m_comments = std::move(comments); }
    const std::optional<img::Palette>& DisplayPalette() const { return m_displayPalette; }
    // The pixels, for the imaging layer's own functions and the adapters.
    const img::PixelBuffer& Pixels() const;
    // The scaled copy kept by DrawFitted (empty, 0 x 0 when there is none).
    const img::PixelBuffer& FittedCopy() const { return m_fitted; }
    QSize FittedCopySize() const { return {m_fittedWidth, m_fittedHeight}; }

    // The fitted size of FitInto: single-precision ratios, truncation, yet never a side
    // below 1; 0 x 0 for sizes below 1.
    static QSize FittedSize(int width, int height, int boxWidth, int boxHeight);
    // The tables of AdjustBrightness and AdjustColor (entry i = the new value of i).
    static std::array<std::uint8_t, 256> BrightnessTable(int percent);
    static std::array<std::uint8_t, 256> ColorTable(int percent);

private:
    int Install(img::PixelBuffer pixels);
    // Installs what an operation made, or leaves the picture as it is and passes its error on.
    int InstallResult(img::Result<img::PixelBuffer> made);
    int LoadByExtension(const std::string& path, std::optional<QSize> box);
    int ApplyChannelTable(int mask, const std::array<std::uint8_t, 256>& table);
    void DropFittedCopy();
    // Keeps the palette and comments: for changes that keep the picture what it was.
    void ReplacePixels(img::PixelBuffer pixels);
    // Makes the shared pixels this picture's own before they change in place.
    int OwnPixels();
    template <typename Filter> int FilterInto(Filter filter, int amount);

    std::optional<img::Palette> m_displayPalette;
    int m_width = 0;
    int m_height = 0;
    // Null when there is no picture; shared with the pictures copied from this one.
    std::shared_ptr<img::PixelBuffer> m_pixels;
    int m_fittedWidth = 0;
    int m_fittedHeight = 0;
    img::PixelBuffer m_fitted;
    std::vector<std::string> m_comments;
};
