// The find field on a library of 100,000 photos: the time of each keystroke while a
// name is typed and then deleted again, for the search alone (TextFinder::Find) and
// for the whole keystroke (key event, search, the list's rows rebuilt and repainted),
// and what the first keystroke pays once to fold every file name and note. Goal: a
// keystroke under 50 ms. Run offscreen:
//
//   QT_QPA_PLATFORM=offscreen bench_find [photos] [runs]

#include "LibraryGenerator.h"

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "core/TextFinder.h"
#include "store/Library.h"
#include "ui/browse/PhotoList.h"
#include "ui/main/FindField.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// The generated catalog, taken into a library that is never saved.
void FillLibrary(Library& library, int photos)
{
    CQuilleryDoc catalog;
    LibraryGenerator(20261207).Fill(catalog, photos);
    for (const NameKind kind : kNameKinds)
        for (int id = 0; id < catalog.Names(kind).Size(); ++id)
            library.AddName(kind, catalog.Names(kind).At(id));
    for (int i = 0; i < catalog.PhotoCount(); ++i)
        library.AddPhoto(catalog.PhotoAt(i));
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

void Row(const char* what, const std::vector<double>& ms)
{
    const double median = Median(ms);
    const double worst = *std::max_element(ms.begin(), ms.end());
    std::printf("%-44s median %7.2f ms, worst %7.2f ms   %s\n", what, median, worst,
                worst < 50 ? "under 50 ms" : "OVER 50 ms");
}

void Press(QWidget& field, Qt::Key key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&field, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&field, &release);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const int photos = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100'000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

    Library library;
    FillLibrary(library, photos);
    PhotoList list;
    list.SetLibrary(&library);
    list.resize(1100, 800);
    list.show();
    FindField field(library, list);
    field.show();
    QApplication::processEvents();

    // A surname typed letter by letter, then deleted letter by letter: narrowing
    // and widening back within the same rows.
    const std::string typed = "Thompson";
    std::printf("Find, %d photos, %d runs of typing \"%s\" and deleting it\n", photos, runs,
                typed.c_str());

    std::vector<const PhotoRecord*> rows = list.Photos();
    std::vector<double> builds;
    std::vector<double> searches;
    for (int run = 0; run < runs; ++run) {
        std::unique_ptr<TextFinder> finder;
        builds.push_back(
            Milliseconds([&] { finder = std::make_unique<TextFinder>(library.Catalog(), rows); }));
        for (size_t length = 1; length <= typed.size(); ++length)
            searches.push_back(Milliseconds([&] { finder->Find(typed.substr(0, length)); }));
        for (size_t length = typed.size(); length-- > 0;)
            searches.push_back(Milliseconds([&] { finder->Find(typed.substr(0, length)); }));
    }
    Row("folding the texts (first keystroke only)", builds);
    Row("search per keystroke (TextFinder::Find)", searches);

    std::vector<double> firstKeys;
    std::vector<double> keys;
    size_t kept = 0;
    for (int run = 0; run < runs; ++run) {
        for (const char letter : typed) {
            const bool first = field.text().isEmpty();
            const double ms = Milliseconds([&] {
                Press(field, Qt::Key_A, QString(QChar(letter)));
                list.viewport()->repaint();
            });
            (first ? firstKeys : keys).push_back(ms);
        }
        kept = static_cast<size_t>(list.RowCount());
        while (!field.text().isEmpty()) {
            keys.push_back(Milliseconds([&] {
                Press(field, Qt::Key_Backspace);
                list.viewport()->repaint();
            }));
        }
    }
    Row("first keystroke, with the folding", firstKeys);
    Row("keystroke through the find field and the list", keys);
    std::printf("\"%s\" keeps %zu of %d photos\n", typed.c_str(), kept, photos);
    return list.RowCount() == photos ? 0 : 1;
}
