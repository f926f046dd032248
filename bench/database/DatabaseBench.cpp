// Times ReadDatabase and WriteDatabase on a generated library, each beside the plain
// copy of the same bytes (cat for reading, cp for writing) in the same run, so the
// figures compare with what the machine's file system gives anyway.

#include "LibraryGenerator.h"

#include "core/CQuilleryDoc.h"
#include "core/Prompter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
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

double Seconds(const std::function<bool()>& work, bool& ok)
{
    const auto start = std::chrono::steady_clock::now();
    ok = work() && ok;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Figures {
    std::vector<double> runs;
    double Best() const { return *std::min_element(runs.begin(), runs.end()); }
    double Median() const
    {
        std::vector<double> sorted = runs;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

void Print(const char* what, const Figures& figures, const Figures* reference)
{
    std::printf("%-28s best %8.4f s   median %8.4f s", what, figures.Best(), figures.Median());
    if (reference != nullptr)
        std::printf("   %5.1fx the plain copy (medians)", figures.Median() / reference->Median());
    std::printf("\n");
}

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

}  // namespace

int main(int argc, char** argv)
{
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
        cat.runs.push_back(Seconds([&] { return std::system(catCommand.c_str()) == 0; }, ok));
        CQuilleryDoc catalog;
        read.runs.push_back(Seconds([&] { return catalog.ReadDatabase(library, prompter); }, ok));
        std::filesystem::remove(copied);
        cp.runs.push_back(Seconds([&] { return std::system(cpCommand.c_str()) == 0; }, ok));
        std::ofstream(written, std::ios::trunc).flush();
        write.runs.push_back(Seconds([&] { return catalog.WriteDatabase(written, prompter); }, ok));
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
    std::filesystem::remove_all(directory);
    return 0;
}
