// Times the imaging layer on real photos beside libjpeg-turbo's command-line tools:
// full decode against `djpeg`, 1/8 decode against `djpeg -scale 1/8`, quality-75 encode
// against `cjpeg -quality 75`, and the two version fittings of the add pipeline.
// Each figure is the median of N runs in milliseconds. The tools' times include starting
// a process (about a millisecond, measured and printed as "spawn") and writing their
// output to /dev/null; ours include reading the file and, for the encode, writing it.

#include "imaging/Imaging.h"
#include "imaging/Picture.h"

#include "../support/BenchTools.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using bench::Median;
using bench::RunTool;
using bench::TimeMs;
using Clock = std::chrono::steady_clock;

std::string BaseName(const std::string& path)
{
    return path.substr(path.find_last_of('/') + 1);
}

struct Row {
    std::string photo;
    double decode, djpeg, decode8, djpeg8, encode, cjpeg, fitHigh, fitThumb;
};

Row Measure(const std::string& path, int runs, const std::string& work)
{
    Row row{BaseName(path), 0, 0, 0, 0, 0, 0, 0, 0};
    row.decode = TimeMs(runs, [&] { (void)img::ReadJpeg(path); });
    row.djpeg = TimeMs(runs, [&] { RunTool({"djpeg", "-outfile", "/dev/null", path}); });
    row.decode8 = TimeMs(runs, [&] { (void)img::ReadJpegForBox(path, 1, 1); });
    row.djpeg8 = TimeMs(runs, [&] { RunTool({"djpeg", "-scale", "1/8", "-outfile", "/dev/null", path}); });

    Picture picture;
    picture.LoadFile(path);
    const std::string ppm = work + "/source.ppm", ours = work + "/ours.jpg", theirs = work + "/cjpeg.jpg";
    RunTool({"djpeg", "-outfile", ppm, path});
    row.encode = TimeMs(runs, [&] { picture.SaveFile(ours, Picture::kJpeg, 75); });
    row.cjpeg = TimeMs(runs, [&] { RunTool({"cjpeg", "-quality", "75", "-outfile", theirs, ppm}); });

    Picture copy;
    auto fit = [&](int width, int height) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            copy.CopyFrom(picture);
            const auto start = Clock::now();
            copy.FitInto(width, height);
            times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        return Median(times);
    };
    row.fitHigh = fit(1600, 1200);
    row.fitThumb = fit(150, 100);
    return row;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <runs> <photo.jpg>...\n", argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    char pattern[] = "/tmp/quillery-bench-XXXXXX";
    const std::string work = mkdtemp(pattern);
    const double spawn = TimeMs(runs * 4, [] { RunTool({"true"}); });

    std::printf("median of %d runs, milliseconds; process spawn alone: %.2f ms\n", runs, spawn);
    std::printf("%-22s %8s %8s %6s | %8s %8s %6s | %8s %8s %6s | %9s %9s\n", "photo", "decode", "djpeg",
                "ratio", "1/8 dec", "djpeg/8", "ratio", "enc q75", "cjpeg", "ratio", "fit 1600", "fit 150");
    std::vector<Row> rows;
    for (int i = 2; i < argc; ++i) {
        const Row r = Measure(argv[i], runs, work);
        rows.push_back(r);
        std::printf("%-22s %8.1f %8.1f %6.2f | %8.1f %8.1f %6.2f | %8.1f %8.1f %6.2f | %9.1f %9.1f\n",
                    r.photo.c_str(), r.decode, r.djpeg, r.decode / r.djpeg, r.decode8, r.djpeg8,
                    r.decode8 / r.djpeg8, r.encode, r.cjpeg, r.encode / r.cjpeg, r.fitHigh, r.fitThumb);
    }
    Row total{"total", 0, 0, 0, 0, 0, 0, 0, 0};
    for (const Row& r : rows) {
        total.decode += r.decode;
        total.djpeg += r.djpeg;
        total.decode8 += r.decode8;
        total.djpeg8 += r.djpeg8;
        total.encode += r.encode;
        total.cjpeg += r.cjpeg;
        total.fitHigh += r.fitHigh;
        total.fitThumb += r.fitThumb;
    }
    std::printf("%-22s %8.1f %8.1f %6.2f | %8.1f %8.1f %6.2f | %8.1f %8.1f %6.2f | %9.1f %9.1f\n", "total",
                total.decode, total.djpeg, total.decode / total.djpeg, total.decode8, total.djpeg8,
                total.decode8 / total.djpeg8, total.encode, total.cjpeg, total.encode / total.cjpeg, total.fitHigh,
                total.fitThumb);
    std::printf("fit 1600 / decode: %.2f   fit 150 / decode: %.2f\n", total.fitHigh / total.decode,
                total.fitThumb / total.decode);
    std::remove((work + "/source.ppm").c_str());
    std::remove((work + "/ours.jpg").c_str());
    std::remove((work + "/cjpeg.jpg").c_str());
    rmdir(work.c_str());
    return 0;
}
