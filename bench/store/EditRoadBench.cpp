// The apply and re-save of an edit of a large photo, as the editing sheet runs it
// when opened from the original: the original loaded, a working copy turned a quarter
// (leaving the rotate page), clipped (leaving the clip page) and brightened (leaving
// the brightness page), then the high-resolution, full-screen and thumbnail versions
// written with "Update high resolution version" on. Timed in the same run beside the
// codec limit of the same files: djpeg decoding the original once plus cjpeg encoding
// the three versions from ready-made PPM files into files of their own. Prints the
// median of the runs.
//
//   bench_edit_road [--runs N] [--work DIR] [photo.jpg]
//
// Without a photo, a 6000 x 4000 (24-megapixel) quality-90 JPEG with detail in it is
// made in the work folder first.

#include "core/Settings.h"
#include "imaging/Picture.h"
#include "store/EditedPhotoSaver.h"
#include "store/PictureStore.h"

#include <QImage>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using Version = PictureStore::Version;

class BenchSettings : public Settings {
  public:
    int GetInt(std::string_view key, int defaultValue) const override
    {
        return key == "ModifyHighResOnEdit" ? 1 : defaultValue;
    }
    std::string GetString(std::string_view, std::string_view defaultValue) const override
    {
        return std::string(defaultValue);
    }
    void WriteInt(std::string_view, int) override {}
    void WriteString(std::string_view, std::string_view) override {}
};

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}
bool Run(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}
double Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}
double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool MakePhoto(const std::string& path)
{
    QImage image(6000, 4000, QImage::Format_RGB888);
    std::mt19937 random(7);
    for (int y = 0; y < image.height(); ++y) {
        uchar* row = image.scanLine(y);
        for (int x = 0; x < image.width(); ++x) {
            const int noise = static_cast<int>(random() % 24);
            row[3 * x] = static_cast<uchar>((x / 24 + noise) % 256);
            row[3 * x + 1] = static_cast<uchar>((y / 16 + noise) % 256);
            row[3 * x + 2] = static_cast<uchar>(((x + y) / 40 + noise) % 256);
        }
    }
    return image.save(QString::fromStdString(path), "JPEG", 90);
}

// Milliseconds of each step of the last runs: load, the three page changes, re-save.
struct Steps {
    std::vector<double> load, rotate, clip, brightness, save;
};

// The sheet's work on the whole picture, then the re-save.
bool OurRoad(const fs::path& library, const BenchSettings& settings, Steps& steps)
{
    const PictureStore store(library.string(), settings);
    auto start = Clock::now();
    const auto lap = [&start](std::vector<double>& into) {
        into.push_back(Since(start));
        start = Clock::now();
    };
    Picture source;
    if (source.LoadFile(store.PathOf(Version::Original, "photo")) != 0) return false;
    Picture working;
    working.CopyFrom(source);
    lap(steps.load);
    working.Rotate(90);
    lap(steps.rotate);
    const int width = working.Width();
    const int height = working.Height();
    working.Crop(width / 10, height / 10, width - width / 10, height - height / 10);
    lap(steps.clip);
    working.AdjustBrightness(10);
    working.Soften(0);
    lap(steps.brightness);
    const bool saved = EditedPhotoSaver::Save(store, settings, "photo",
                                              PhotoEditSource::Version::Original, working, source)
                           .empty();
    lap(steps.save);
    return saved;
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    fs::path work = fs::temp_directory_path() / "quillery-edit-bench";
    std::string photo;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--work" && i + 1 < argc)
            work = argv[++i];
        else
            photo = arg;
    }
    const fs::path library = work / "library";
    fs::remove_all(library);
    for (const auto version :
         {Version::Thumbnail, Version::FullScreen, Version::HighRes, Version::Original})
        fs::create_directories(library / PictureStore::FolderName(version));
    const std::string original =
        PictureStore::VersionPath(library.string(), Version::Original, "photo");
    if (photo.empty()) {
        photo = (work / "photo24mp.jpg").string();
        if (!fs::exists(photo) && !MakePhoto(photo)) return 1;
    }
    fs::copy_file(photo, original, fs::copy_options::overwrite_existing);

    const BenchSettings settings;
    Steps steps;
    if (!OurRoad(library, settings, steps)) return 1;
    steps = {};
    // The reference encodes exactly the versions the road wrote.
    const Version written[] = {Version::HighRes, Version::FullScreen, Version::Thumbnail};
    std::vector<std::string> ppms;
    for (const Version version : written) {
        const std::string ppm =
            (work / (std::string(PictureStore::FolderName(version)) + ".ppm")).string();
        if (!Run("djpeg -outfile " + Quoted(ppm) + " " +
                 Quoted(PictureStore::VersionPath(library.string(), version, "photo"))))
            return 1;
        ppms.push_back(ppm);
    }
    // The decode is thrown away, as the road keeps it in memory; the encodes go to files
    // beside the library, as the road writes its versions to disk and not to /dev/null.
    std::string reference = "djpeg -outfile /dev/null " + Quoted(original);
    for (const std::string& ppm : ppms)
        reference += " && cjpeg -quality 75 -outfile " + Quoted(ppm + ".jpg") + " " + Quoted(ppm);

    std::vector<double> ours, limit;
    for (int run = 0; run < runs; ++run) {
        auto start = Clock::now();
        if (!OurRoad(library, settings, steps)) return 1;
        ours.push_back(Since(start));
        start = Clock::now();
        if (!Run(reference)) return 1;
        limit.push_back(Since(start));
    }
    Picture size;
    size.LoadFile(original);
    std::printf("| photo | pixels | apply + re-save (ms) | djpeg + 3 x cjpeg (ms) | ratio |\n");
    std::printf("|---|---|---|---|---|\n");
    std::printf("| %s | %d x %d | %.0f | %.0f | %.2fx |\n", fs::path(photo).filename().c_str(),
                size.Width(), size.Height(), Median(ours), Median(limit),
                Median(ours) / Median(limit));
    std::printf("\nsteps (median ms): load + copy %.0f, rotate %.0f, clip %.0f, brightness %.0f, "
                "re-save %.0f\n",
                Median(steps.load), Median(steps.rotate), Median(steps.clip),
                Median(steps.brightness), Median(steps.save));
    return 0;
}
