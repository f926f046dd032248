// The file-open preview of a 20-megapixel camera JPEG: PreviewStatic::ShowFile on the
// dialog's preview area, which decodes, scales and paints, beside the floor of the
// same decode, `djpeg -scale 1/8` of the same file (a process, so it pays its start),
// and libjpeg-turbo's 1/8 decode called in this process. Three files of 5472 x 3648:
// without a camera thumbnail, with the common 160 x 120 one (letterboxed for a 3:2
// sensor, so it cannot serve) and with a 320 x 213 one (which covers the area).
// Goal: under 20 ms. Median of N runs in milliseconds; run offscreen:
//
//   QT_QPA_PLATFORM=offscreen bench_preview [runs] [photo.jpg]

#include "../support/BenchTools.h"

#include "imaging/Imaging.h"
#include "imaging/PixelBuffer.h"
#include "imaging/Picture.h"
#include "ui/browse/PreviewStatic.h"

#include <QApplication>

#include <exiv2/exiv2.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace {

constexpr int kWidth = 5472;
constexpr int kHeight = 3648;
// The dialog's preview area (CPrevFileDlg).
constexpr QSize kPreviewArea(192, 138);

// Smooth colour with grain, so the file is about the size a camera writes.
img::PixelBuffer CameraLikePicture()
{
    auto made = img::PixelBuffer::AllocateForOverwrite(kWidth, kHeight);
    img::PixelBuffer pixels = std::move(made).Value();
    std::minstd_rand random(7);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = pixels.Row(y);
        for (int x = 0; x < kWidth; ++x) {
            const int grain = static_cast<int>(random() % 24);
            row[3 * x] = static_cast<std::uint8_t>((x * 200 / kWidth + grain) & 0xFF);
            row[3 * x + 1] = static_cast<std::uint8_t>((y * 180 / kHeight + grain) & 0xFF);
            row[3 * x + 2] = static_cast<std::uint8_t>(((x + y) * 100 / kWidth + grain) & 0xFF);
        }
    }
    return pixels;
}

void EmbedThumbnail(const std::string& path, int width, int height)
{
    auto thumb = img::PixelBuffer::AllocateForOverwrite(width, height);
    img::PixelBuffer pixels = std::move(thumb).Value();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x) pixels.Row(y)[x] = static_cast<std::uint8_t>(x + y);
    const auto bytes = img::EncodeJpeg(pixels, 85).Value();
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    auto image = Exiv2::ImageFactory::open(path);
#pragma GCC diagnostic pop
    image->readMetadata();
    Exiv2::ExifData exif = image->exifData();
    exif["Exif.Photo.DateTimeOriginal"] = "2024:05:06 07:08:09";
    Exiv2::ExifThumb(exif).setJpegThumbnail(bytes.data(), static_cast<long>(bytes.size()));
    image->setExifData(exif);
    image->writeMetadata();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::filesystem::path work = std::filesystem::temp_directory_path() /
                                       ("quillery-preview-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(work);
    std::vector<std::pair<std::string, std::string>> photos;
    if (argc > 2) {
        photos.emplace_back(argv[2], std::filesystem::path(argv[2]).filename().string());
    } else {
        const std::string plain = (work / "plain.jpg").string();
        if (!img::WriteJpeg(plain, CameraLikePicture(), 92)) return 1;
        const std::string common = (work / "thumb160.jpg").string();
        const std::string large = (work / "thumb320.jpg").string();
        std::filesystem::copy_file(plain, common);
        std::filesystem::copy_file(plain, large);
        EmbedThumbnail(common, 160, 120);
        EmbedThumbnail(large, 320, 213);
        photos = {{plain, "no thumbnail"}, {common, "160x120 thumbnail"}, {large, "320x213 thumbnail"}};
    }

    PreviewStatic preview;
    preview.setFixedSize(kPreviewArea);
    preview.show();
    std::printf("%d runs, median ms; goal: preview under 20 ms\n", runs);
    std::printf("%-20s %8s %10s %14s %14s\n", "photo", "MB", "preview", "djpeg 1/8", "libjpeg 1/8");
    for (const auto& [path, name] : photos) {
        const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
        const std::string file = path;
        const double shown = bench::TimeMs(runs, [&] { preview.ShowFile(file); });
        const double tool = bench::TimeMs(runs, [&] {
            bench::RunTool({"djpeg", "-scale", "1/8", "-outfile", "/dev/null", file});
        });
        // The whole file read and decoded at 1/8, as a preview without a thumbnail must.
        const double codec8 = bench::TimeMs(runs, [&] {
            std::ifstream in(file, std::ios::binary);
            const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                                  std::istreambuf_iterator<char>());
            (void)img::DecodeJpeg(bytes, nullptr, 8);
        });
        std::printf("%-20s %8.1f %10.2f %14.2f %14.2f\n", name.c_str(), megabytes, shown, tool, codec8);
    }

    // A thumbnail of the list on a screen at 200 %: the 800 x 600 full-screen file at a
    // DCT scale fitted into 300 x 200, beside the 150 x 100 thumbnail file it replaces.
    const std::string fullScreen = (work / "full-screen.jpg").string();
    const std::string thumbnail = (work / "thumbnail.jpg").string();
    Picture source;
    source.Adopt(CameraLikePicture());
    Picture fitted;
    fitted.FitCopyOf(source, 800, 600);
    fitted.SaveFile(fullScreen, Picture::kJpeg, 75);
    fitted.FitCopyOf(source, 150, 100);
    fitted.SaveFile(thumbnail, Picture::kJpeg, 75);
    const double sharp = bench::TimeMs(runs, [&] {
        Picture decoded;
        Picture scaled;
        decoded.LoadFileForBox(fullScreen, 300, 200);
        scaled.MakeScaledCopy(decoded, 300, 200);
    });
    const double plain = bench::TimeMs(runs, [&] {
        Picture decoded;
        decoded.LoadFile(thumbnail);
    });
    std::printf("list thumbnail at 200 %%: from the full-screen file %.2f ms, the thumbnail file %.2f ms\n",
                sharp, plain);
    std::filesystem::remove_all(work);
    return 0;
}
