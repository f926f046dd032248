// Times ReadDatabase and WriteDatabase on a generated library, each beside the plain
// copy of the same bytes (cat for reading, cp for writing) in the same run, so the
// figures compare with what the machine's file system gives anyway; then measures the
// peak memory of one read beside the size of the file.

#include "LibraryGenerator.h"

#include "core/CQuilleryDoc.h"
#include "core/Prompter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

class PrintingPrompter : public Prompter {
public:
    PromptAnswer Ask(std::string_view text, std::string_view caption, PromptButtons) override
    {
        std::cerr << caption << ": " << text << '\n';
        return PromptAnswer::Ok;
    }
};

double Now(clockid_t clock)
{
    timespec time{};
    clock_gettime(clock, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

// CPU seconds of the children that have ended (cat, cp and their shell).
double ChildrenCpu()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Wall time and CPU time of each run. CPU time stays meaningful when other work
// shares the machine; for cat and cp it is the children's, for ours the process's.
struct Figures {
    std::vector<double> wall;
    std::vector<double> cpu;

    static double Median(std::vector<double> runs)
    {
        std::sort(runs.begin(), runs.end());
        return runs[runs.size() / 2];
    }
    static double Best(const std::vector<double>& runs) { return *std::min_element(runs.begin(), runs.end()); }
};

bool Time(Figures& figures, bool inChildren, const std::function<bool()>& work)
{
    const double cpuBefore = inChildren ? ChildrenCpu() : Now(CLOCK_PROCESS_CPUTIME_ID);
    const double wallBefore = Now(CLOCK_MONOTONIC);
    const bool ok = work();
    figures.wall.push_back(Now(CLOCK_MONOTONIC) - wallBefore);
    figures.cpu.push_back((inChildren ? ChildrenCpu() : Now(CLOCK_PROCESS_CPUTIME_ID)) - cpuBefore);
    return ok;
}

void Print(const char* what, const Figures& figures, const Figures* reference)
{
    // The first run also pays for growing the heap (page faults), as the first open of
    // a library in a fresh program does.
    std::printf("%-28s wall first %7.4f s best %7.4f s median %7.4f s | cpu median %7.4f s", what,
                figures.wall.front(), Figures::Best(figures.wall), Figures::Median(figures.wall),
                Figures::Median(figures.cpu));
    if (reference != nullptr)
        std::printf(" | %4.1fx wall, %4.1fx cpu of the plain copy",
                    Figures::Median(figures.wall) / Figures::Median(reference->wall),
                    Figures::Median(figures.cpu) / Figures::Median(reference->cpu));
    std::printf("\n");
}

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

// A field of /proc/self/status in kB ("VmRSS", "VmHWM").
long StatusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with(field + ':')) return std::atol(line.c_str() + field.size() + 1);
    return -1;
}

// Run in a process of its own (the benchmark starts itself again), so that neither the
// generated catalog nor the heap the timed runs left behind hide or add to the figure:
// prints the resident memory before the read and the peak during it, in kB.
int MeasureReadPeak(const std::string& library)
{
    PrintingPrompter prompter;
    CQuilleryDoc catalog;
    const long before = StatusKb("VmRSS");
    if (!catalog.ReadDatabase(library, prompter)) return 1;
    std::printf("%ld %ld %d\n", before, StatusKb("VmHWM"), catalog.PhotoCount());
    return 0;
}

bool PrintReadPeak(const std::string& library)
{
    const std::string command = "/proc/" + std::to_string(::getpid()) + "/exe --read-peak " + Quoted(library);
    FILE* child = ::popen(command.c_str(), "r");
    if (child == nullptr) return false;
    long before = 0, peak = 0;
    int photos = 0;
    const bool read = std::fscanf(child, "%ld %ld %d", &before, &peak, &photos) == 3;
    if (::pclose(child) != 0 || !read) return false;
    const double fileMb = static_cast<double>(std::filesystem::file_size(library)) / 1e6;
    const double growthMb = static_cast<double>(peak - before) * 1024 / 1e6;
    std::printf("ReadDatabase peak memory: %.1f MB above the %.1f MB before the read (%.2fx the %.1f MB "
                "file; %.0f bytes a photo)\n",
                growthMb, static_cast<double>(before) * 1024 / 1e6, growthMb / fileMb, fileMb,
                growthMb * 1e6 / photos);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--read-peak") return MeasureReadPeak(argv[2]);
    const int photos = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    const std::filesystem::path directory =
        argc > 3 ? std::filesystem::path(argv[3])
                 : std::filesystem::temp_directory_path() / "quillery-database-bench";
    std::filesystem::create_directories(directory);
    const std::string library = (directory / "Bench.pdb").string();
    const std::string written = (directory / "Written.pdb").string();
    const std::string copied = (directory / "Copied.pdb").string();

    PrintingPrompter prompter;
    {
        CQuilleryDoc catalog;
        LibraryGenerator(20261206).Fill(catalog, photos);
        std::ofstream(library, std::ios::trunc).flush();
        if (!catalog.WriteDatabase(library, prompter)) return 1;
    }
    std::printf("library: %d photos, %.1f MB, in %s\n", photos,
                static_cast<double>(std::filesystem::file_size(library)) / 1e6, directory.c_str());

    Figures cat, read, cp, write;
    bool ok = true;
    const std::string catCommand = "cat " + Quoted(library) + " > /dev/null";
    const std::string cpCommand = "cp " + Quoted(library) + ' ' + Quoted(copied);
    for (int run = 0; run < repeats; ++run) {
        ok = Time(cat, true, [&] { return std::system(catCommand.c_str()) == 0; }) && ok;
        CQuilleryDoc catalog;
        ok = Time(read, false, [&] { return catalog.ReadDatabase(library, prompter); }) && ok;
        std::filesystem::remove(copied);
        ok = Time(cp, true, [&] { return std::system(cpCommand.c_str()) == 0; }) && ok;
        std::ofstream(written, std::ios::trunc).flush();
        ok = Time(write, false, [&] { return catalog.WriteDatabase(written, prompter); }) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "a step failed\n");
        return 1;
    }
    if (std::filesystem::file_size(written) != std::filesystem::file_size(library)) {
        std::fprintf(stderr, "written library differs in size from the one read\n");
        return 1;
    }
    std::printf("%d runs each\n", repeats);
    Print("cat LIB > /dev/null", cat, nullptr);
    Print("ReadDatabase", read, &cat);
    Print("cp LIB COPY", cp, nullptr);
    Print("WriteDatabase (with fsync)", write, &cp);
    if (!PrintReadPeak(library)) {
        std::fprintf(stderr, "measuring the read's peak memory failed\n");
        return 1;
    }
    std::filesystem::remove_all(directory);
    return 0;
}
