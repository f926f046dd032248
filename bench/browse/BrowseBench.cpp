// Browsing a library of 100,000 photos, each figure beside `cat` of the same database
// file timed in the same run (the floor: what reading the file costs at all):
//
// - the program started on the library, from the command line to the end of the photo
//   list's first paint with its thumbnails (the program writes that moment when
//   QUILLERY_REPORT_FIRST_PAINT names a file), and its resident memory then;
// - a scroll from the top of the list to the bottom, one page a step, each step's
//   repaint timed: the longest and the 99th percentile;
// - a header-click sort by each sortable column (both directions), each filter and
//   "Undo all filters", each with the repaint that follows it.
//
// The library is generated first: PictureLibraryGenerator writes the database and real
// thumbnail and full-screen files. See README.md for how to run it.

#include "PictureLibraryGenerator.h"

#include "core/CQuilleryDoc.h"
#include "core/DateFilter.h"
#include "core/NameFilter.h"
#include "core/QuietPrompter.h"
#include "core/Settings.h"
#include "store/Library.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PhotoListModel.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <time.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr double kStartGoalMs = 300;
constexpr double kLongestStepGoalMs = 16;
constexpr double kStepPercentileGoalMs = 8;
constexpr double kCommandGoalMs = 100;
constexpr double kMemoryGoalMb = 150;

class NoSettings : public Settings {
  public:
    int GetInt(std::string_view, int defaultValue) const override { return defaultValue; }
    std::string GetString(std::string_view, std::string_view defaultValue) const override
    {
        return std::string(defaultValue);
    }
    void WriteInt(std::string_view, int) override {}
    void WriteString(std::string_view, std::string_view) override {}
};

double Now()
{
    timespec time{};
    clock_gettime(CLOCK_MONOTONIC, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

double ThreadCpu()
{
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
}

double Milliseconds(const std::function<void()>& work)
{
    const double start = Now();
    work();
    return (Now() - start) * 1e3;
}

// The wall time of the work, and the processor time this thread spent on it: on a
// machine shared with other work the difference is the time the thread waited for a
// processor.
std::pair<double, double> WallAndCpuMilliseconds(const std::function<void()>& work)
{
    const double cpu = ThreadCpu();
    const double wall = Milliseconds(work);
    return {wall, (ThreadCpu() - cpu) * 1e3};
}

double Percentile(std::vector<double> values, double fraction)
{
    std::sort(values.begin(), values.end());
    const auto at =
        static_cast<size_t>(std::ceil(fraction * static_cast<double>(values.size()))) - 1;
    return values[std::min(at, values.size() - 1)];
}

double Median(std::vector<double> values)
{
    return Percentile(std::move(values), 0.5);
}

std::string Quoted(const std::string& text)
{
    return "'" + text + "'";
}

double CatMilliseconds(const std::string& database)
{
    const std::string command = "cat " + Quoted(database) + " > /dev/null";
    return Milliseconds([&] {
        if (std::system(command.c_str()) != 0) std::fprintf(stderr, "cat failed\n");
    });
}

// The figures of one start of the program; negative when it did not report.
struct StartFigures {
    double firstPaintMs = -1;
    double residentMb = -1;
    // The program's whole processor time; it is ended as soon as it has reported.
    double cpuMs = -1;
};

double ResidentMb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.starts_with("VmRSS:")) return std::atof(line.c_str() + 6) * 1024 / 1e6;
    return -1;
}

// Starts the program on the library with a settings folder of its own (the first-run
// set-up already done), waits for its report of the first paint, reads its memory and
// ends it.
StartFigures StartProgram(const std::string& program, const std::string& database,
                          const fs::path& work)
{
    const fs::path config = work / "config";
    fs::create_directories(config / "Quillery");
    std::ofstream(config / "Quillery" / "Quillery.conf") << "[Quillery]\nInitialization=1\n";
    const fs::path report = work / "first-paint";
    fs::remove(report);

    std::vector<std::string> variables = {"XDG_CONFIG_HOME=" + config.string(),
                                          "QUILLERY_REPORT_FIRST_PAINT=" + report.string()};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view text(*variable);
        if (!text.starts_with("XDG_CONFIG_HOME=") &&
            !text.starts_with("QUILLERY_REPORT_FIRST_PAINT="))
            variables.emplace_back(text);
    }
    std::vector<char*> environment;
    for (std::string& variable : variables)
        environment.push_back(variable.data());
    environment.push_back(nullptr);
    std::string programArgument = program;
    std::string databaseArgument = database;
    char* arguments[] = {programArgument.data(), databaseArgument.data(), nullptr};

    StartFigures figures;
    const double start = Now();
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environment.data()) !=
        0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        return figures;
    }
    const double deadline = start + 60;
    while (Now() < deadline) {
        std::ifstream in(report);
        double painted = 0;
        std::string line;
        // The line is complete once it ends; a half-written file is read again.
        if (std::getline(in, line) && !in.eof() && (painted = std::atof(line.c_str())) > 0) {
            figures.firstPaintMs = (painted - start) * 1e3;
            figures.residentMb = ResidentMb(child);
            break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    ::kill(child, SIGTERM);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) * 1e-3;
    };
    figures.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    return figures;
}

struct Row {
    std::string what;
    double figure;
    double goal;
    const char* unit;
};

// A row without a goal (negative) is there to explain the others.
void PrintRow(const Row& row, double catMs)
{
    const bool met = row.figure >= 0 && row.figure < row.goal;
    std::printf("%-44s %9.2f %s", row.what.c_str(), row.figure, row.unit);
    if (row.goal >= 0)
        std::printf("  goal < %6.1f %s  %-4s", row.goal, row.unit, met ? "met" : "MISS");
    else
        std::printf("  %21s", "");
    if (std::string(row.unit) == "ms") std::printf("  %7.1fx cat", row.figure / catMs);
    std::printf("\n");
}

std::vector<std::string> SomeNames(const CQuilleryDoc& catalog, NameKind kind, int count)
{
    std::vector<std::string> names;
    const NameList& list = catalog.Names(kind);
    for (int id = 0; id < list.Size() && static_cast<int>(names.size()) < count; id += 7)
        names.push_back(list.At(id));
    return names;
}

} // namespace

int main(int argc, char** argv)
{
    const int photos = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100'000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string program =
        argc > 3 ? std::string(argv[3])
                 : (fs::canonical("/proc/self/exe").parent_path() / "quillery").string();
    const fs::path work =
        argc > 4 ? fs::path(argv[4]) : fs::temp_directory_path() / "quillery-browse-bench";
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Before the generator, which draws its pictures' numbers with Qt's fonts.
    QApplication application(argc, argv);

    const double generateStart = Now();
    const std::string database =
        PictureLibraryGenerator::Write((work / "library").string(), photos, 20261207);
    if (database.empty()) return 1;
    std::printf("library: %d photos, %.1f MB database, thumbnails and full-screen files, generated "
                "in %.1f s\n",
                photos, static_cast<double>(fs::file_size(database)) / 1e6, Now() - generateStart);

    std::vector<double> cats;
    std::vector<double> firstPaints;
    std::vector<double> residents;
    std::vector<double> startCpus;
    for (int run = 0; run < runs; ++run) {
        cats.push_back(CatMilliseconds(database));
        const StartFigures start = StartProgram(program, database, work);
        if (start.firstPaintMs < 0) {
            std::fprintf(stderr, "the program did not report its first paint\n");
            return 1;
        }
        firstPaints.push_back(start.firstPaintMs);
        residents.push_back(start.residentMb);
        startCpus.push_back(start.cpuMs);
    }

    Library library;
    QuietPrompter prompter;
    if (library.Open(database, prompter) != Library::Outcome::Done) {
        std::fprintf(stderr, "cannot open %s\n", database.c_str());
        return 1;
    }
    const CQuilleryDoc& catalog = library.Catalog();
    NoSettings settings;
    PhotoList list;
    list.SetSettings(&settings);
    list.SetLibrary(&library);
    // The list's share of a maximised window on a 1920 x 1080 screen, all columns shown.
    list.resize(1100, 950);
    list.show();
    QApplication::processEvents();
    const auto repaint = [&list] { list.viewport()->repaint(); };

    // Top to bottom a page at a time: every step shows only rows not seen before, the
    // most a step of the scroll bar can ask for.
    std::vector<double> steps;
    std::vector<double> stepCpus;
    QScrollBar& bar = *list.verticalScrollBar();
    for (int run = 0; run < runs; ++run) {
        cats.push_back(CatMilliseconds(database));
        list.FillFromCatalog();
        bar.setValue(0);
        repaint();
        for (int value = bar.pageStep(); value <= bar.maximum() + bar.pageStep() - 1;
             value += bar.pageStep()) {
            const auto [wall, cpu] = WallAndCpuMilliseconds([&] {
                bar.setValue(std::min(value, bar.maximum()));
                repaint();
            });
            steps.push_back(wall);
            stepCpus.push_back(cpu);
        }
    }

    std::vector<Row> rows;
    rows.push_back({"start to first paint (median)", Median(firstPaints), kStartGoalMs, "ms"});
    rows.push_back({"resident memory at first paint", Median(residents), kMemoryGoalMb, "MB"});
    rows.push_back({"scroll step, longest", *std::max_element(steps.begin(), steps.end()),
                    kLongestStepGoalMs, "ms"});
    rows.push_back(
        {"scroll step, 99th percentile", Percentile(steps, 0.99), kStepPercentileGoalMs, "ms"});
    rows.push_back({"scroll step, median", Median(steps), -1, "ms"});
    rows.push_back({"program's processor time to first paint", Median(startCpus), -1, "ms"});
    rows.push_back({"scroll step processor time, longest",
                    *std::max_element(stepCpus.begin(), stepCpus.end()), -1, "ms"});
    rows.push_back({"scroll step processor time, 99th pct.", Percentile(stepCpus, 0.99), -1, "ms"});
    rows.push_back({"scroll step processor time, median", Median(stepCpus), -1, "ms"});

    const std::pair<int, const char*> columns[] = {{kDateColumn, "sort by Date"},
                                                   {kPersonsColumn, "sort by Persons"},
                                                   {kEventsColumn, "sort by Events"},
                                                   {kLocationsColumn, "sort by Locations"},
                                                   {kFilenameColumn, "sort by Filename"}};
    for (const auto& [column, name] : columns) {
        std::vector<double> sorts;
        for (int run = 0; run < runs; ++run) {
            list.FillFromCatalog();
            repaint();
            // Both directions: each click toggles the column's flag.
            for (int click = 0; click < 2; ++click)
                sorts.push_back(Milliseconds([&, c = column] {
                    list.SortByColumn(c);
                    repaint();
                }));
        }
        rows.push_back(
            {std::string(name) + " (median; slowest " +
                 std::to_string(static_cast<int>(*std::max_element(sorts.begin(), sorts.end()))) +
                 " ms)",
             Median(sorts), kCommandGoalMs, "ms"});
    }

    const std::optional<DateFilter> dates = DateFilter::FromTexts("1/1/1970", "12/31/1989");
    const std::vector<std::pair<const char*, std::function<std::vector<const PhotoRecord*>()>>>
        filters = {
            {"Filter by date", [&] { return dates->Apply(list.Photos()); }},
            {"Filter by Person",
             [&] {
                 return NameFilter(catalog, NameKind::Persons,
                                   SomeNames(catalog, NameKind::Persons, 20))
                     .Apply(list.Photos());
             }},
            {"Filter by Event",
             [&] {
                 return NameFilter(catalog, NameKind::Events,
                                   SomeNames(catalog, NameKind::Events, 10))
                     .Apply(list.Photos());
             }},
            {"Filter by Location",
             [&] {
                 return NameFilter(catalog, NameKind::Locations,
                                   SomeNames(catalog, NameKind::Locations, 10))
                     .Apply(list.Photos());
             }},
        };
    std::vector<double> undos;
    for (const auto& [name, filter] : filters) {
        std::vector<double> times;
        size_t kept = 0;
        for (int run = 0; run < runs; ++run) {
            list.FillFromCatalog();
            // A current photo that the filter may keep, as when a user filters while browsing.
            list.SetCurrentPhoto(list.PhotoAtRow(list.RowCount() / 2));
            repaint();
            times.push_back(Milliseconds([&, f = filter] {
                const std::vector<const PhotoRecord*> passed = f();
                kept = passed.size();
                list.ShowSubset(passed);
                repaint();
            }));
            undos.push_back(Milliseconds([&] {
                list.FillFromCatalog();
                repaint();
            }));
        }
        rows.push_back({std::string(name) + " (keeps " + std::to_string(kept) + ")", Median(times),
                        kCommandGoalMs, "ms"});
    }
    rows.push_back({"Undo all filters", Median(undos), kCommandGoalMs, "ms"});

    const double catMs = Median(cats);
    std::printf(
        "%d runs; %zu scroll steps of %d rows; floor: cat of the database file, median %.2f ms\n",
        runs, steps.size(), bar.pageStep(), catMs);
    for (const Row& row : rows)
        PrintRow(row, catMs);
    return 0;
}
