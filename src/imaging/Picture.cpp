#include "imaging/Picture.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

enum class Reader { None, Jpeg, Png, Bmp, Pcx, Tiff, Gif };

// From the last '.' to the end, trailing blanks dropped, lower-cased; "" without a '.'.
std::string ExtensionOf(const std::string& path)
{
    const auto dot = path.rfind('.');
    if (dot == std::string::npos) return {};
    std::string extension = path.substr(dot);
    while (!extension.empty() && extension.back() == ' ') extension.pop_back();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return extension;
}

Reader ReaderFor(const std::string& extension)
{
    struct Entry {
        const char* extension;
        Reader reader;
    };
    static constexpr Entry kReaders[] = {
        {".jpg", Reader::Jpeg}, {".jpeg", Reader::Jpeg}, {".png", Reader::Png},
        {".bmp", Reader::Bmp},  {".pcx", Reader::Pcx},   {".tif", Reader::Tiff},
        {".tiff", Reader::Tiff}, {".gif", Reader::Gif},
    };
    for (const Entry& entry : kReaders)
        if (extension == entry.extension) return entry.reader;
    return Reader::None;
}

// The pi the rotation has always used; kept so free angles turn exactly as before.
constexpr double kPi = 3.1415926;

} // namespace

void Picture::Release()
{
    m_displayPalette.reset();
    m_pixels.reset();
    m_width = 0;
    m_height = 0;
    m_fitted.Reset();
    m_fittedWidth = 0;
    m_fittedHeight = 0;
    m_comments.clear();
}

void Picture::GetSize(int& width, int& height) const
{
    width = m_width;
    height = m_height;
}

int Picture::Install(img::PixelBuffer pixels)
{
    Release();
    m_width = pixels.Width();
    m_height = pixels.Height();
    m_pixels = std::make_shared<img::PixelBuffer>(std::move(pixels));
    return kOk;
}

void Picture::ReplacePixels(img::PixelBuffer pixels)
{
    m_width = pixels.Width();
    m_height = pixels.Height();
    m_pixels = std::make_shared<img::PixelBuffer>(std::move(pixels));
    DropFittedCopy();
}

int Picture::OwnPixels()
{
    // A count of one cannot rise behind this picture's back: only a copy of this very
    // picture could share it again.
    if (m_pixels.use_count() <= 1) return kOk;
    auto copy = img::PixelBuffer::AllocateForOverwrite(m_width, m_height);
    if (!copy) return kNoMemory;
    std::memcpy(copy->Data(), m_pixels->Data(), copy->ByteSize());
    m_pixels = std::make_shared<img::PixelBuffer>(std::move(copy).Value());
    return kOk;
}

const img::PixelBuffer& Picture::Pixels() const
{
    static const img::PixelBuffer kNone;
    return m_pixels ? *m_pixels : kNone;
}

int Picture::InstallResult(img::Result<img::PixelBuffer> made)
{
    if (!made) return made.Error();
    return Install(std::move(made).Value());
}

void Picture::DropFittedCopy()
{
    m_fitted.Reset();
    m_fittedWidth = 0;
    m_fittedHeight = 0;
}

int Picture::LoadFile(const std::string& path)
{
    return LoadByExtension(path, std::nullopt);
}

int Picture::LoadFileForBox(const std::string& path, int boxWidth, int boxHeight)
{
    return LoadByExtension(path, QSize(boxWidth, boxHeight));
}

int Picture::LoadByExtension(const std::string& path, std::optional<QSize> box)
{
    if (path.empty()) return kEmptyPath;
    Release();
    // An extension no reader takes reads nothing and is reported as unsupported.
    img::Result<img::PixelBuffer> read = img::kErrUnsupported;
    std::vector<std::string> comments;
    switch (ReaderFor(ExtensionOf(path))) {
    case Reader::Jpeg:
        read = box ? img::ReadJpegForBox(path, box->width(), box->height(), &comments)
                   : img::ReadJpeg(path, &comments);
        break;
    case Reader::Png: read = img::ReadPng(path); break;
    case Reader::Bmp: read = img::ReadBmp(path); break;
    case Reader::Pcx: read = img::ReadPcx(path); break;
    case Reader::Tiff: read = img::ReadTiff(path); break;
    case Reader::Gif: read = img::ReadGif(path); break;
    case Reader::None: break;
    }
    const int code = InstallResult(std::move(read));
    if (code == kOk) m_comments = std::move(comments);
    return code;
}

int Picture::SaveFile(const std::string& path, int format, int quality)
{
    if (!HasPicture()) return kNotPossible;
    if (format != kJpeg) return img::kErrUnsupported; // nothing written
    return img::WriteJpeg(path, Pixels(), quality, m_comments).Error();
}

bool Picture::LoadFromDib(std::span<const std::uint8_t> dib)
{
    Release();
    return InstallResult(img::FromDib(dib.data(), dib.size())) == kOk;
}

void Picture::Adopt(img::PixelBuffer pixels)
{
    Install(std::move(pixels));
}

int Picture::LoadBitmapResource(int id)
{
    Release();
    return InstallResult(img::LoadBitmapResource(id));
}

int Picture::CopyFrom(const Picture& other)
{
    if (!other.HasPicture()) return kNotPossible;
    if (&other == this) return kOk; // the pixels are its own already
    Release();
    m_width = other.m_width;
    m_height = other.m_height;
    m_pixels = other.m_pixels;
    return kOk;
}

int Picture::CreateBlank(int width, int height)
{
    if (width < 1 || height < 1) return kNotPossible;
    auto blank = img::PixelBuffer::Allocate(width, height);
    if (!blank) return kNoMemory;
    return Install(std::move(blank).Value());
}

int Picture::MakeScaledCopy(const Picture& source, int boxWidth, int boxHeight)
{
    if (&source == this) { // releasing first would lose the source
        Picture original;
        if (const int code = original.CopyFrom(*this); code != kOk) return code;
        return MakeScaledCopy(original, boxWidth, boxHeight);
    }
    Release();
    if (boxWidth < 1 || boxHeight < 1) return kNotPossible;
    const double widthRatio = static_cast<double>(source.m_width) / boxWidth;
    const double heightRatio = static_cast<double>(source.m_height) / boxHeight;
    if (widthRatio == 0 || heightRatio == 0) return kNotPossible;
    // A side never truncates to nothing: a strip of a picture is still shown.
    int newWidth = boxWidth, newHeight = boxHeight;
    if (widthRatio > heightRatio)
        newHeight = std::max(1, static_cast<int>(source.m_height / widthRatio));
    else if (widthRatio < heightRatio)
        newWidth = std::max(1, static_cast<int>(source.m_width / heightRatio));
    if (const int code = CreateBlank(newWidth, newHeight); code != kOk) return code;
    return img::ResampleInto(source.Pixels(), *m_pixels).Error();
}

QSize Picture::FittedSize(int width, int height, int boxWidth, int boxHeight)
{
    if (width < 1 || height < 1 || boxWidth < 1 || boxHeight < 1) return {0, 0};
    const auto boxRatio = static_cast<float>(static_cast<double>(boxWidth) / boxHeight);
    const auto pictureRatio = static_cast<float>(static_cast<double>(width) / height);
    // The short side of a long strip would truncate to 0 pixels; 1 keeps it a picture.
    const auto side = [](long long product, int divisor) {
        return std::max(1, static_cast<int>(product / divisor));
    };
    if (pictureRatio > boxRatio) return {boxWidth, side(static_cast<long long>(boxWidth) * height, width)};
    return {side(static_cast<long long>(boxHeight) * width, height), boxHeight};
}

int Picture::FitInto(int boxWidth, int boxHeight)
{
    // An empty picture or box has no proportions to keep (and would divide by zero).
    if (!HasPicture() || boxWidth < 1 || boxHeight < 1) return kNotPossible;
    const QSize fitted = FittedSize(m_width, m_height, boxWidth, boxHeight);
    if (fitted == GetSize()) return kOk;
    return Resize(fitted.width(), fitted.height());
}

int Picture::FitCopyOf(const Picture& source, int boxWidth, int boxHeight)
{
    if (&source == this) return FitInto(boxWidth, boxHeight);
    if (!source.HasPicture() || boxWidth < 1 || boxHeight < 1) return kNotPossible;
    const QSize fitted = FittedSize(source.m_width, source.m_height, boxWidth, boxHeight);
    if (fitted == source.GetSize()) return CopyFrom(source);
    if (fitted.width() < 1 || fitted.height() < 1) return kNotPossible;
    const img::PixelBuffer& pixels = source.Pixels();
    return InstallResult(fitted.width() <= source.m_width && fitted.height() <= source.m_height
                             ? img::Reduce(pixels, fitted.width(), fitted.height())
                             : img::Resample(pixels, fitted.width(), fitted.height()));
}

int Picture::Resize(int width, int height)
{
    if (!HasPicture() || width < 1 || height < 1) return kNotPossible;
    return InstallResult(width <= m_width && height <= m_height
                             ? img::Reduce(Pixels(), width, height)
                             : img::Resample(Pixels(), width, height));
}

int Picture::Crop(int left, int top, int right, int bottom)
{
    if (!HasPicture()) return kNotPossible;
    // Shared pixels are left alone: the kept rectangle is copied out of them once.
    if (m_pixels.use_count() > 1) return InstallResult(img::Crop(Pixels(), left, top, right, bottom));
    const img::Status cropped = img::CropInPlace(*m_pixels, left, top, right, bottom);
    if (!cropped) return cropped.Error();
    // Installed as a new buffer would be: palette, fitted copy and comments go.
    return Install(std::move(*m_pixels));
}

int Picture::Rotate(double degrees)
{
    if (!HasPicture()) return kNotPossible;
    std::optional<img::Turn> turn;
    if (degrees == 90 || degrees == -270) turn = img::Turn::Quarter;
    if (degrees == 180 || degrees == -180) turn = img::Turn::Half;
    if (degrees == 270 || degrees == -90) turn = img::Turn::ThreeQuarters;
    if (turn == img::Turn::Half) { // turned in place
        if (const int owned = OwnPixels(); owned != kOk) return owned;
        const img::Status turned = img::RotateQuarter(*m_pixels, *turn);
        if (turned) DropFittedCopy();
        return turned.Error();
    }
    if (turn) { // into a new buffer, read straight from pixels that may be shared
        auto turned = img::TurnQuarter(Pixels(), *turn);
        if (!turned) return turned.Error();
        ReplacePixels(std::move(turned).Value());
        return kOk;
    }
    if (degrees < 0) degrees += 360;
    const double radians = degrees * kPi / 180;
    return InstallResult(img::Rotate(Pixels(), radians, qRgb(255, 255, 255)));
}

template <typename Filter>
int Picture::FilterInto(Filter filter, int amount)
{
    if (!HasPicture()) return kNotPossible;
    if (amount <= 0) { // the filters copy unchanged; a copy of the same bytes is no news
        DropFittedCopy();
        return kOk;
    }
    auto target = img::PixelBuffer::AllocateForOverwrite(m_width, m_height);
    if (!target) return target.Error();
    const img::Status filtered = filter(Pixels(), target.Value(), amount);
    if (filtered) ReplacePixels(std::move(target).Value()); // same size: the new bytes are the copy
    return filtered.Error();
}

int Picture::Sharpen(int amount)
{
    return FilterInto(&img::Sharpen, amount);
}

int Picture::Soften(int amount)
{
    return FilterInto(&img::Soften, amount);
}

int Picture::ApplyChannelTable(int mask, const std::array<std::uint8_t, 256>& table)
{
    if (const int owned = OwnPixels(); owned != kOk) return owned;
    const img::Status applied = img::ApplyTable(*m_pixels, mask, table);
    if (applied) DropFittedCopy();
    return applied.Error();
}

std::array<std::uint8_t, 256> Picture::BrightnessTable(int percent)
{
    std::array<std::uint8_t, 256> table{};
    const double k = percent / 100.0;
    for (int i = 0; i < 256; ++i) {
        double v = 0;
        if (percent > 0) {
            const double a = i * (1 + 5 * k) + 0.5;
            const double t = std::pow((255 - i) / 255.0, 1.5);
            v = std::min(i + (a - i) * t + 0.5, 255.0);
        } else {
            v = i * (1 + k);
        }
        // Below -100 percent the product turns negative; black is as dark as it gets.
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::max(v, 0.0));
    }
    return table;
}

std::array<std::uint8_t, 256> Picture::ColorTable(int percent)
{
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const double v = std::clamp(i * (1 + percent / 100.0), 0.0, 255.0);
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v);
    }
    return table;
}

int Picture::AdjustBrightness(int percent)
{
    if (!HasPicture()) return kNotPossible;
    return ApplyChannelTable(img::kRedChannel | img::kGreenChannel | img::kBlueChannel,
                             BrightnessTable(percent));
}

int Picture::AdjustColor(int percent, int channel)
{
    if (!HasPicture()) return kNotPossible;
    const int mask = channel == kRed     ? img::kRedChannel
                     : channel == kGreen ? img::kGreenChannel
                     : channel == kBlue  ? img::kBlueChannel
                                         : 0;
    return ApplyChannelTable(mask, ColorTable(percent));
}

int Picture::BuildDisplayPalette()
{
    if (!HasPicture()) return kNotPossible;
    const auto entries = img::MakePalette(Pixels(), 256);
    if (entries) m_displayPalette = img::ToQtPalette(entries.Value());
    return entries.Error();
}

int Picture::Draw(QPainter* painter, int x, int y, int width, int height,
                  const img::Palette* palette) const
{
    if (!HasPicture() || painter == nullptr) return kNotPossible;
    if (palette == nullptr && m_displayPalette) palette = &*m_displayPalette;
    return img::Draw(painter, Pixels(), x, y, width, height, palette).Error();
}

int Picture::DrawInRect(QPainter* painter, const QRect& rect, const img::Palette* palette) const
{
    return Draw(painter, rect.left(), rect.top(), rect.width(), rect.height(), palette);
}

int Picture::DrawFitted(QPainter* painter, const QRect& rect, const img::Palette* palette)
{
    if (!HasPicture() || painter == nullptr) return kNotPossible;
    const QSize fitted = FittedSize(m_width, m_height, rect.width(), rect.height());
    if (fitted.isEmpty()) return kNotPossible;
    if (m_fitted.Empty() || fitted != QSize(m_fittedWidth, m_fittedHeight)) {
        DropFittedCopy();
        auto resampled = img::Resample(Pixels(), fitted.width(), fitted.height());
        if (!resampled) return kNotPossible;
        m_fitted = std::move(resampled).Value();
        m_fittedWidth = fitted.width();
        m_fittedHeight = fitted.height();
    }
    const int x = rect.left() + (rect.width() - m_fittedWidth) / 2;
    const int y = rect.top() + (rect.height() - m_fittedHeight) / 2;
    if (palette == nullptr && m_displayPalette) palette = &*m_displayPalette;
    return img::Draw(painter, m_fitted, x, y, rect.width(), rect.height(), palette).Error();
}

QImage Picture::ToBitmap() const
{
    return img::ToBitmap(Pixels()).Value(); // a null image when there is no picture
}

std::vector<std::uint8_t> Picture::ToPackedDib() const
{
    return img::ToDib(Pixels()).Value(); // empty when there is no picture
}
