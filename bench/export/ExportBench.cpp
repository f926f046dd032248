// Times quillery's export of a whole library beside `cp -r` of the same picture
// folders followed by `sync` (export syncs its copies once before it writes the
// database), in the same run, alternating, and prints the table.
//
// usage: bench_export [--photos N] [--large-kb K] [--runs R] --work FOLDER

#include "base/FileOps.h"
#include "core/CQuilleryDoc.h"
#include "core/Prompter.h"
#include "core/QuietPrompter.h"
#include "store/Library.h"
#include "store/LibraryExporter.h"
#include "store/PictureStore.h"
#include "store/TransferHost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Options {
    int photos = 1000;
    long smallBytes = 150 * 1024;
    long largeBytes = 3 * 1024 * 1024;
    int runs = 3;
    std::string work;
};

// Bytes that no file system compresses or shares between files.
void WriteRandomFile(const std::string& path, long size, std::mt19937_64& random)
{
    std::vector<std::uint64_t> words(static_cast<size_t>(size + 7) / 8);
    for (auto& word : words)
        word = random();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(words.data()), size);
}

double Seconds(Clock::duration duration)
{
    return std::chrono::duration<double>(duration).count();
}

int Run(const std::string& command)
{
    return std::system(command.c_str());
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--photos")
            options.photos = std::atoi(argv[i + 1]);
        else if (name == "--large-kb")
            options.largeBytes = std::atol(argv[i + 1]) * 1024;
        else if (name == "--runs")
            options.runs = std::atoi(argv[i + 1]);
        else if (name == "--work")
            options.work = argv[i + 1];
    }
    if (options.work.empty()) {
        std::fprintf(stderr,
                     "usage: bench_export [--photos N] [--large-kb K] [--runs R] --work FOLDER\n");
        return 2;
    }
    const fs::path work = fs::absolute(options.work);
    const fs::path source = work / "source";
    fs::remove_all(work);
    fs::create_directories(source);
    Library::CreatePictureFolders(source.string());

    // The library: four versions of every photo, the two small ones about 150 KB.
    CQuilleryDoc catalog;
    std::mt19937_64 random(13);
    long long totalBytes = 0;
    for (int i = 0; i < options.photos; ++i) {
        PhotoRecord record;
        record.SetFileName("photo" + std::to_string(i));
        record.SetDate(1, 1, 2000);
        catalog.AddPhoto(record);
        for (const VersionInfo& info : kVersionTable) {
            const bool small =
                info.version == PhotoVersion::Thumbnail || info.version == PhotoVersion::FullScreen;
            const long size = small ? options.smallBytes : options.largeBytes;
            WriteRandomFile(
                PictureStore::VersionPath(source.string(), info.version, record.GetFileName()),
                size, random);
            totalBytes += size;
        }
    }
    QuietPrompter quiet;
    const std::string database = (source / "Source.pdb").string();
    // The writer moves the old file aside first, so one must stand there.
    std::ofstream(database, std::ios::binary).flush();
    if (!catalog.WriteDatabase(database, quiet)) {
        std::fprintf(stderr, "bench_export: cannot write %s\n", database.c_str());
        return 1;
    }
    Run("sync");

    Library library;
    if (library.Open(database, quiet) != Library::Outcome::Done) {
        std::fprintf(stderr, "bench_export: cannot open %s\n", database.c_str());
        return 1;
    }
    std::vector<const PhotoRecord*> photos;
    for (int i = 0; i < library.Catalog().PhotoCount(); ++i)
        photos.push_back(&library.Catalog().PhotoAt(i));

    std::vector<double> exportTimes;
    std::vector<double> copyTimes;
    for (int run = 0; run < options.runs; ++run) {
        const fs::path exported = work / "exported";
        const fs::path copied = work / "copied";
        // Each starts on an empty folder with the other's files gone, so the page
        // cache holds the source and nothing of the other's copy.
        const auto clear = [&] {
            fs::remove_all(exported);
            fs::remove_all(copied);
            fs::create_directories(exported);
            fs::create_directories(copied);
            Library::CreatePictureFolders(exported.string());
            Run("sync");
            return true;
        };

        // Which goes first alternates, so that neither always meets the other's
        // write-back or the other developers' load at the same place.
        const auto timeExport = [&] {
            TransferHost host;
            const auto start = Clock::now();
            const auto outcome = LibraryExporter::Export(
                library, photos, (exported / "Out.pdb").string(), quiet, host);
            exportTimes.push_back(Seconds(Clock::now() - start));
            return outcome == LibraryExporter::Outcome::Done;
        };
        const auto timeCopy = [&] {
            std::string command = "cp -r";
            for (const VersionInfo& info : kVersionTable)
                command += " '" + (source / info.folderName).string() + "'";
            command += " '" + copied.string() + "/' && sync";
            const auto start = Clock::now();
            const bool copiedAll = Run(command) == 0;
            copyTimes.push_back(Seconds(Clock::now() - start));
            return copiedAll;
        };
        const bool done = run % 2 == 0 ? clear() && timeExport() && clear() && timeCopy()
                                       : clear() && timeCopy() && clear() && timeExport();
        if (!done) {
            std::fprintf(stderr, "bench_export: the export or the copy failed\n");
            return 1;
        }
    }
    fs::remove_all(work);

    const double exportBest = *std::min_element(exportTimes.begin(), exportTimes.end());
    const double copyBest = *std::min_element(copyTimes.begin(), copyTimes.end());
    const double megabytes = static_cast<double>(totalBytes) / (1024.0 * 1024.0);
    std::printf("%d photos, %d files, %.0f MB; best of %d runs, which goes first alternating\n",
                options.photos, options.photos * 4, megabytes, options.runs);
    std::printf("%-22s %10s %12s %10s\n", "", "seconds", "MB/s", "vs cp");
    std::printf("%-22s %10.2f %12.1f %10.2fx\n", "quillery export", exportBest,
                megabytes / exportBest, copyBest / exportBest);
    std::printf("%-22s %10.2f %12.1f %10.2fx\n", "cp -r && sync", copyBest, megabytes / copyBest,
                1.0);
    std::printf("runs (export / cp):");
    for (size_t i = 0; i < exportTimes.size(); ++i)
        std::printf(" %.2f/%.2f", exportTimes[i], copyTimes[i]);
    std::printf("\n");
    return 0;
}
