// Peak memory and time of reading a picture at the pixel limit: a 20000 x 20000 PNG
// (400 million pixels, about 1.2 MB of file), beside what Qt's own road costs and what
// the add road does after the read. Each step runs in a process of its own (the
// benchmark starts itself again), so that its peak is its own; the figure is the
// resident memory the step added, set against the final 1.2 GB pixel buffer.

#include "imaging/FileBytes.h"
#include "imaging/Imaging.h"
#include "imaging/Picture.h"

#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSide = 20000;

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long StatusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with(field + ':')) return std::atol(line.c_str() + field.size() + 1);
    return -1;
}

// Broad bands of colour with a few sharp edges: compresses to about a megabyte, as a
// scanned page or a plain graphic at this size does.
bool MakeHugePng(const std::string& path)
{
    QImage image(kSide, kSide, QImage::Format_RGB32);
    if (image.isNull()) return false;
    for (int y = 0; y < kSide; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const QRgb band = qRgb(40 + (y / 1000) * 10, 200 - (y / 2000) * 15, 90);
        for (int x = 0; x < kSide; ++x)
            row[x] = (x / 2500) % 2 == 0 ? band : qRgb(250, 250, 240);
    }
    QImageWriter writer(QString::fromStdString(path), "png");
    return writer.write(image);
}

using Step = std::function<int(const std::string& path)>;

// What each step does; each gives 0 or the error that stopped it.
const std::map<std::string, Step>& Steps()
{
    static const std::map<std::string, Step> steps = {
        // The road the reader took before, for reference: the image Qt makes (4 bytes a
        // pixel), the pixel buffer, and a converted copy at 3 bytes copied into it.
        {"before-qt-image-copied",
         [](const std::string& path) {
             QImageReader::setAllocationLimit(0);
             QImageReader reader(QString::fromStdString(path));
             const QImage image = reader.read();
             auto pixels = img::PixelBuffer::AllocateForOverwrite(image.width(), image.height());
             if (!pixels) return static_cast<int>(pixels.Error());
             const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
             if (rgb.isNull()) return 1;
             for (int y = 0; y < rgb.height(); ++y)
                 std::memcpy(pixels->Row(y), rgb.constScanLine(y), pixels->Stride());
             return 0;
         }},
        {"read-png",
         [](const std::string& path) {
             auto read = img::ReadPng(path);
             return read ? 0 : static_cast<int>(read.Error());
         }},
        // The add road after the read: the thumbnail and the full-screen version are
        // fitted from the picture as loaded, which stays as it is until both are made.
        {"load-and-fit-versions",
         [](const std::string& path) {
             Picture picture;
             if (const int code = picture.LoadFile(path); code != 0) return code;
             Picture thumbnail;
             if (const int code = thumbnail.FitCopyOf(picture, 150, 100); code != 0) return code;
             return picture.FitInto(800, 600);
         }},
        // The thumbnail as it was made before: a full-size copy, then fitted.
        {"thumbnail-from-a-copy",
         [](const std::string& path) {
             Picture picture;
             if (const int code = picture.LoadFile(path); code != 0) return code;
             Picture thumbnail;
             if (const int code = thumbnail.CopyFrom(picture); code != 0) return code;
             return thumbnail.FitInto(150, 100);
         }},
    };
    return steps;
}

// In the child: runs one step and prints the memory before it, its peak and its time.
// "decode" is the decoder alone: the file's bytes are read before the count starts.
int Measure(const std::string& step, const std::string& path)
{
    FileOps::ReadResult bytes;
    if (step == "decode") bytes = img::FileBytes::Read(path);
    const long before = StatusKb("VmRSS");
    const auto start = std::chrono::steady_clock::now();
    int code = 0;
    if (step == "decode") {
        auto decoded = img::DecodeWithQt(bytes.content.Bytes(), "png");
        code = decoded ? 0 : static_cast<int>(decoded.Error());
    } else {
        code = Steps().at(step)(path);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%ld %ld %.2f %d\n", before, StatusKb("VmHWM"), seconds, code);
    return 0;
}

bool Report(const std::string& step, const std::string& path)
{
    const std::string command =
        "/proc/" + std::to_string(::getpid()) + "/exe --measure " + step + " '" + path + "'";
    FILE* child = ::popen(command.c_str(), "r");
    if (child == nullptr) return false;
    long before = 0, peak = 0;
    double seconds = 0;
    int code = 0;
    const bool read = std::fscanf(child, "%ld %ld %lf %d", &before, &peak, &seconds, &code) == 4;
    if (::pclose(child) != 0 || !read) return false;
    const double buffer = 3.0 * kSide * kSide;
    const double added = static_cast<double>(peak - before) * 1024;
    std::printf(
        "%-24s peak %7.0f MB above %4.0f MB (%4.2fx the pixel buffer)  %6.2f s  result %d\n",
        step.c_str(), added / 1e6, static_cast<double>(before) * 1024 / 1e6, added / buffer,
        seconds, code);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--measure") == 0) return Measure(argv[2], argv[3]);
    const std::filesystem::path directory =
        argc > 1 ? std::filesystem::path(argv[1])
                 : std::filesystem::temp_directory_path() / "quillery-huge-picture-bench";
    std::filesystem::create_directories(directory);
    const std::string path = (directory / "huge.png").string();
    if (!std::filesystem::exists(path) && !MakeHugePng(path)) {
        std::fprintf(stderr, "could not write %s\n", path.c_str());
        return 1;
    }
    std::printf("%s: %d x %d, %.2f MB; the pixel buffer is %.0f MB\n", path.c_str(), kSide, kSide,
                static_cast<double>(std::filesystem::file_size(path)) / 1e6,
                3.0 * kSide * kSide / 1e6);
    for (const char* step : {"before-qt-image-copied", "decode", "read-png",
                             "load-and-fit-versions", "thumbnail-from-a-copy"}) {
        if (!Report(step, path)) {
            std::fprintf(stderr, "%s failed\n", step);
            return 1;
        }
    }
    return 0;
}
