// The whole road of a photo added from a file (LoadFile, the dialog's 150 x 100
// thumbnail, SaveNewPhotoVersions with both optional versions on), timed side by side
// with the same four outputs made by GraphicsMagick, ImageMagick and libvips, and
// with the codec limit: djpeg decoding the file once plus cjpeg encoding the four
// versions. Prints one table row per photo; the median of the runs counts.
//
//   bench_add_road [--runs N] [--work DIR] photo.jpg...

#include "core/Settings.h"
#include "imaging/Picture.h"
#include "store/PictureStore.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

class BenchSettings : public Settings {
public:
    int GetInt(std::string_view key, int defaultValue) const override
    {
        return key == "SaveOriginalPictures" || key == "SaveHighResPictures" ? 1 : defaultValue;
    }
    std::string GetString(std::string_view, std::string_view defaultValue) const override
    {
        return std::string(defaultValue);
    }
    void WriteInt(std::string_view, int) override {}
    void WriteString(std::string_view, std::string_view) override {}
};

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

bool Run(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds of the median run; a run that fails counts as not measured.
double Measure(int runs, const std::function<bool()>& prepare, const std::function<bool()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (!prepare()) return -1;
        const auto start = Clock::now();
        if (!work()) return -1;
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return Median(times);
}

void MakeLibrary(const fs::path& library)
{
    fs::remove_all(library);
    for (const auto version : {PictureStore::Version::Thumbnail, PictureStore::Version::FullScreen,
                               PictureStore::Version::HighRes, PictureStore::Version::Original}) {
        fs::create_directories(library / PictureStore::FolderName(version));
    }
}

bool OurRoad(const std::string& photo, const fs::path& library, const Settings& settings)
{
    Picture picture;
    if (picture.LoadFile(photo) != 0 || !picture.HasPicture()) return false;
    Picture thumbnail;
    if (thumbnail.MakeScaledCopy(picture, 150, 100) != 0) return false;
    const PictureStore store(library.string(), settings);
    return store.SaveNewPhotoVersions(picture, thumbnail, "photo", [](const std::string&) {});
}

// The fastest correct form of each tool: one process that decodes once and writes
// each version from the one before (GraphicsMagick, ImageMagick); libvips copies the
// original and makes the others with shrink-on-load thumbnails.
std::string MagickRoad(const std::string& tool, const std::string& photo, const fs::path& out)
{
    const auto o = [&out](const char* name) { return Quoted((out / name).string()); };
    return tool + " " + Quoted(photo) + " -quality 75 +write " + o("orig.jpg") +
           " -resize 1600x1200 +write " + o("high.jpg") + " -resize 800x600 +write " +
           o("full.jpg") + " -resize 150x100 " + o("thumb.jpg");
}

std::string VipsRoad(const std::string& photo, const fs::path& out)
{
    const auto o = [&out](const char* name) { return Quoted((out / name).string() + "[Q=75]"); };
    std::string command = "vips copy " + Quoted(photo) + " " + o("orig.jpg");
    for (const auto& [size, name] : std::vector<std::pair<const char*, const char*>>{
             {"1600x1200", "high.jpg"}, {"800x600", "full.jpg"}, {"150x100", "thumb.jpg"}}) {
        command += " && vipsthumbnail " + Quoted(photo) + " --size " + size + " -o " + o(name);
    }
    return command;
}

// djpeg decodes once; cjpeg encodes the four versions from PPM files made beforehand.
double CodecLimit(int runs, const std::string& photo, const fs::path& out)
{
    const fs::path ppm = out / "ppm";
    fs::create_directories(ppm);
    const auto p = [&ppm](const char* name) { return Quoted((ppm / name).string()); };
    if (!Run("convert " + Quoted(photo) + " " + p("orig.ppm") + " && convert " + p("orig.ppm") +
             " -resize 1600x1200 " + p("high.ppm") + " && convert " + p("high.ppm") +
             " -resize 800x600 " + p("full.ppm") + " && convert " + p("orig.ppm") +
             " -resize 150x100 " + p("thumb.ppm"))) {
        return -1;
    }
    std::string command = "djpeg -outfile /dev/null " + Quoted(photo);
    for (const char* name : {"orig", "high", "full", "thumb"}) {
        command += std::string(" && cjpeg -quality 75 -outfile ") +
                   Quoted((out / (std::string(name) + ".jpg")).string()) + " " +
                   p((std::string(name) + ".ppm").c_str());
    }
    return Measure(runs, [] { return true; }, [&command] { return Run(command); });
}

bool HasTool(const char* tool)
{
    return Run(std::string("command -v ") + tool + " >/dev/null 2>&1");
}

void PrintCell(double ms, double limit)
{
    if (ms < 0) {
        std::printf(" %16s", "n/a");
    } else {
        std::printf(" %9.1f (%4.2fx)", ms, limit > 0 ? ms / limit : 0.0);
    }
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    fs::path work = fs::temp_directory_path() / "quillery-add-road";
    std::vector<std::string> photos;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--runs" && i + 1 < argc) {
            runs = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--work" && i + 1 < argc) {
            work = argv[++i];
        } else {
            photos.push_back(arg);
        }
    }
    if (photos.empty()) {
        std::fprintf(stderr, "usage: bench_add_road [--runs N] [--work DIR] photo.jpg...\n");
        return 2;
    }
    const BenchSettings settings;
    std::printf("Add road, median of %d runs, milliseconds (times the codec limit)\n", runs);
    std::printf("%-28s %8s %16s %16s %16s %16s %16s\n", "photo", "MP", "limit", "Quillery",
                "GraphicsMagick", "ImageMagick", "libvips");
    for (const std::string& photo : photos) {
        const fs::path out = work / "tools";
        fs::create_directories(out);
        Picture probe;
        probe.LoadFile(photo);
        const double megapixels = probe.Width() * static_cast<double>(probe.Height()) / 1e6;
        probe.Release();

        const double limit = CodecLimit(runs, photo, out);
        const fs::path library = work / "library";
        const double ours = Measure(
            runs, [&library] { MakeLibrary(library); return true; },
            [&] { return OurRoad(photo, library, settings); });
        const auto tool = [&](const std::string& command, const char* name) {
            return HasTool(name) ? Measure(runs, [] { return true; }, [&command] { return Run(command); })
                                 : -1.0;
        };
        const double gm = tool(MagickRoad("gm convert", photo, out), "gm");
        const double im = tool(MagickRoad("convert", photo, out), "convert");
        const double vips = tool(VipsRoad(photo, out), "vipsthumbnail");

        std::printf("%-28s %8.1f", fs::path(photo).filename().string().substr(0, 28).c_str(), megapixels);
        PrintCell(limit, limit);
        PrintCell(ours, limit);
        PrintCell(gm, limit);
        PrintCell(im, limit);
        PrintCell(vips, limit);
        std::printf("\n");
        std::fflush(stdout);
    }
    fs::remove_all(work);
    return 0;
}
