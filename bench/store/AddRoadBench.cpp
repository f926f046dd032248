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

double Since(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void MakeLibrary(const fs::path& library)
{
    fs::remove_all(library);
    for (const auto version : {PictureStore::Version::Thumbnail, PictureStore::Version::FullScreen,
                               PictureStore::Version::HighRes, PictureStore::Version::Original}) {
        fs::create_directories(library / PictureStore::FolderName(version));
    }
}

// Milliseconds of each part of the road in the last run: load, thumbnail, versions.
struct Parts {
    std::vector<double> load, thumbnail, versions;
};

bool OurRoad(const std::string& photo, const fs::path& library, const Settings& settings,
             Parts& parts)
{
    auto start = Clock::now();
    Picture picture;
    if (picture.LoadFile(photo) != 0 || !picture.HasPicture()) return false;
    parts.load.push_back(Since(start));
    start = Clock::now();
    Picture thumbnail;
    if (thumbnail.MakeScaledCopy(picture, 150, 100) != 0) return false;
    parts.thumbnail.push_back(Since(start));
    start = Clock::now();
    const PictureStore store(library.string(), settings);
    const bool saved =
        !store.SaveNewPhotoVersions(picture, thumbnail, "photo", [](const std::string&) {});
    parts.versions.push_back(Since(start));
    return saved;
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
// Empty when the PPM files cannot be made.
std::string CodecLimitCommand(const std::string& photo, const fs::path& out)
{
    const fs::path ppm = out / "ppm";
    fs::create_directories(ppm);
    const auto p = [&ppm](const char* name) { return Quoted((ppm / name).string()); };
    if (!Run("convert " + Quoted(photo) + " " + p("orig.ppm") + " && convert " + p("orig.ppm") +
             " -resize 1600x1200 " + p("high.ppm") + " && convert " + p("high.ppm") +
             " -resize 800x600 " + p("full.ppm") + " && convert " + p("orig.ppm") +
             " -resize 150x100 " + p("thumb.ppm"))) {
        return {};
    }
    std::string command = "djpeg -outfile /dev/null " + Quoted(photo);
    for (const char* name : {"orig", "high", "full", "thumb"}) {
        command += std::string(" && cjpeg -quality 75 -outfile ") +
                   Quoted((out / (std::string(name) + ".jpg")).string()) + " " +
                   p((std::string(name) + ".ppm").c_str());
    }
    return command;
}

// One way of making the four versions; runs take turns with the others, so a busy
// machine slows them all alike.
struct Contender {
    std::string name;
    std::function<bool()> prepare;
    std::function<bool()> work;
    std::vector<double> times;
    bool failed = false;

    double Result() const { return failed || times.empty() ? -1 : Median(times); }
};

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
    work = fs::absolute(work);
    std::printf("Add road, median of %d runs taken in turns, milliseconds (times the codec limit)\n",
                runs);
    std::printf("%-24s %5s %16s %16s %16s %16s %16s   %s\n", "photo", "MP", "codec limit",
                "Quillery", "GraphicsMagick", "ImageMagick", "libvips",
                "Quillery: load + thumbnail + versions");
    for (const std::string& photo : photos) {
        const fs::path out = work / "tools";
        fs::create_directories(out);
        Picture probe;
        probe.LoadFile(photo);
        const double megapixels = probe.Width() * static_cast<double>(probe.Height()) / 1e6;
        probe.Release();

        const fs::path library = work / "library";
        Parts parts;
        const auto none = [] { return true; };
        const auto shell = [](std::string command) { return [command] { return Run(command); }; };
        std::vector<Contender> contenders;
        const std::string limit = CodecLimitCommand(photo, out);
        contenders.push_back({"limit", none, shell(limit), {}, limit.empty()});
        contenders.push_back({"Quillery", [&library] { MakeLibrary(library); return true; },
                              [&] { return OurRoad(photo, library, settings, parts); }, {}, false});
        contenders.push_back({"gm", none, shell(MagickRoad("gm convert", photo, out)), {}, !HasTool("gm")});
        contenders.push_back({"convert", none, shell(MagickRoad("convert", photo, out)), {}, !HasTool("convert")});
        contenders.push_back({"vips", none, shell(VipsRoad(photo, out)), {}, !HasTool("vipsthumbnail")});
        for (int round = 0; round < runs; ++round) {
            for (Contender& contender : contenders) {
                if (contender.failed) continue;
                if (!contender.prepare()) {
                    contender.failed = true;
                    continue;
                }
                const auto start = Clock::now();
                contender.failed = !contender.work();
                contender.times.push_back(Since(start));
            }
        }
        const double limitMs = contenders[0].Result();
        std::printf("%-24s %5.1f", fs::path(photo).filename().string().substr(0, 24).c_str(), megapixels);
        for (const Contender& contender : contenders) PrintCell(contender.Result(), limitMs);
        if (!parts.load.empty()) {
            std::printf("   %.1f + %.1f + %.1f", Median(parts.load), Median(parts.thumbnail),
                        Median(parts.versions));
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    fs::remove_all(work);
    return 0;
}
