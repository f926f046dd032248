// The photo list on a library of 100,000 photos: FillFromCatalog (plain and with the
// start-up sort), a header-click sort by each sortable column, each with the repaint
// that follows it, and what one page of
// scrolling repaints. Goal: fill and each sort under 300 ms; a scroll paints only the
// rows in view. Run offscreen:
//
//   QT_QPA_PLATFORM=offscreen bench_photo_list [photos] [runs]

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "core/Settings.h"
#include "store/Library.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PhotoListModel.h"
#include "ui/browse/PhotoRowDelegate.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class BenchSettings : public Settings {
public:
    int startupSort = 0;
    int GetInt(std::string_view key, int defaultValue) const override
    {
        return key == "QuilleryStartupSort" ? startupSort : defaultValue;
    }
    std::string GetString(std::string_view, std::string_view defaultValue) const override
    {
        return std::string(defaultValue);
    }
    void WriteInt(std::string_view, int) override {}
    void WriteString(std::string_view, std::string_view) override {}
};

void FillCatalog(Library& library, int photos)
{
    std::mt19937 random(12345);
    for (int i = 0; i < 300; ++i) {
        library.AddName(NameKind::Persons, "Person" + std::to_string(random() % 1000) + ", First" + std::to_string(i));
        library.AddName(NameKind::Events, "Event number " + std::to_string(i));
        library.AddName(NameKind::Locations, "Country" + std::to_string(i % 40) + ", City" + std::to_string(i));
    }
    for (int i = 0; i < photos; ++i) {
        PhotoRecord record;
        record.SetFileName("IMG_" + std::to_string(random() % 10'000'000) + "_" + std::to_string(i));
        record.SetDate(static_cast<int>(random() % 13), static_cast<int>(random() % 32),
                       1950 + static_cast<int>(random() % 70));
        std::array<PhotoRecord::IdList, kNameKinds.size()> ids;
        for (auto& list : ids) list.fill(-1);
        const int persons = static_cast<int>(random() % 4);
        for (int k = 0; k < persons; ++k)
            ids[0][static_cast<size_t>(k)] = static_cast<int>(random() % 300);
        if (random() % 3 != 0) ids[1][0] = static_cast<int>(random() % 300);
        if (random() % 2 != 0) ids[2][0] = static_cast<int>(random() % 300);
        record.SetIds(ids);
        record.SetNotes(std::string(static_cast<size_t>(random() % 200), 'n'));
        library.AddPhoto(record);
    }
}

double Milliseconds(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Row(const char* what, double ms)
{
    std::printf("%-34s %9.1f ms   %s\n", what, ms, ms < 300 ? "under 300 ms" : "OVER 300 ms");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int photos = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100'000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    // A library that is never saved: its pictures are looked for in folders that do
    // not exist, so the list draws navy cells.
    Library library;
    FillCatalog(library, photos);
    BenchSettings settings;
    PhotoList list;
    list.SetSettings(&settings);
    list.SetLibrary(&library);
    list.resize(1100, 800);
    list.show();
    QApplication::processEvents();

    std::printf("PhotoList, %d photos, median of %d runs\n", photos, runs);
    std::vector<double> fills;
    for (int i = 0; i < runs; ++i) fills.push_back(Milliseconds([&] { list.FillFromCatalog(); list.viewport()->repaint(); }));
    Row("FillFromCatalog", Median(fills));

    settings.startupSort = 1;
    std::vector<double> sortedFills;
    for (int i = 0; i < runs; ++i) sortedFills.push_back(Milliseconds([&] { list.FillFromCatalog(); list.viewport()->repaint(); }));
    Row("FillFromCatalog, start-up sort", Median(sortedFills));
    settings.startupSort = 0;

    const std::pair<int, const char*> columns[] = {{kDateColumn, "sort by Date"},
                                                   {kPersonsColumn, "sort by Persons"},
                                                   {kEventsColumn, "sort by Events"},
                                                   {kLocationsColumn, "sort by Locations"},
                                                   {kFilenameColumn, "sort by Filename"}};
    for (const auto& [column, name] : columns) {
        std::vector<double> sorts;
        for (int i = 0; i < runs; ++i) {
            list.FillFromCatalog();
            // Both directions: each click toggles the column's flag.
            sorts.push_back(Milliseconds([&, c = column] { list.SortByColumn(c); list.viewport()->repaint(); }));
            sorts.push_back(Milliseconds([&, c = column] { list.SortByColumn(c); list.viewport()->repaint(); }));
        }
        Row(name, Median(sorts));
    }

    auto* delegate = static_cast<PhotoRowDelegate*>(list.itemDelegate());
    list.FillFromCatalog();
    list.grab();
    const int visibleRows = list.viewport()->height() / PhotoList::kRowHeight + 1;
    std::vector<double> scrolls;
    long long painted = 0;
    for (int i = 1; i <= runs; ++i) {
        delegate->ResetPaintCount();
        scrolls.push_back(Milliseconds([&] {
            list.verticalScrollBar()->setValue(i * 997 % list.verticalScrollBar()->maximum());
            list.viewport()->repaint();
        }));
        painted = std::max(painted, delegate->PaintCount());
    }
    std::printf("%-34s %9.1f ms   %lld cells painted for %d visible rows x %d columns\n",
                "scroll one jump and repaint", Median(scrolls), painted, visibleRows,
                static_cast<int>(kPhotoColumnCount));
    return 0;
}
