// Builds a library from the photos given (through the real add pipeline), shows the
// picture view beside the photo list as the main window lays them out, makes the
// second photo current and saves a screenshot; a second one shows the list alone at
// the full width of its columns (out-list.png).
//
//   browse_screenshot out.png photo.jpg...

#include "core/CQuilleryDoc.h"
#include "core/PhotoRecord.h"
#include "core/Prompter.h"
#include "core/Settings.h"
#include "imaging/Picture.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "ui/browse/PhotoList.h"
#include "ui/browse/PictureView.h"

#include <QApplication>
#include <QFileInfo>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

class DefaultSettings : public Settings {
public:
    int GetInt(std::string_view, int defaultValue) const override { return defaultValue; }
    std::string GetString(std::string_view, std::string_view defaultValue) const override
    {
        return std::string(defaultValue);
    }
    void WriteInt(std::string_view, int) override {}
    void WriteString(std::string_view, std::string_view) override {}
};

const char* const kPersons[] = {"Smith, John", "Doe, Jane", "Lee ", "Brown, Ann", " Maria"};
const char* const kEvents[] = {"Summer holiday", "Wedding", "Garden party"};
const char* const kLocations[] = {"France, Paris", "Austria", "Canada, Banff"};

// The folders are made beforehand, so creating the library asks nothing.
class NoQuestions : public Prompter {
public:
    PromptAnswer Ask(std::string_view, std::string_view, PromptButtons) override
    {
        return PromptAnswer::Ok;
    }
};

bool AddPhoto(Library& library, const PictureStore& store, const std::string& path, int index)
{
    Picture picture;
    if (picture.LoadFile(path) != 0 || !picture.HasPicture()) return false;
    Picture thumbnail;
    thumbnail.MakeScaledCopy(picture, 150, 100);
    const std::string name = QFileInfo(QString::fromStdString(path)).completeBaseName().toStdString();
    if (const auto failure =
            store.SaveNewPhotoVersions(picture, thumbnail, name, [](const std::string&) {})) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), FailureMessage(*failure).c_str());
        return false;
    }
    PhotoRecord record;
    std::array<PhotoRecord::IdList, kNameKinds.size()> ids;
    for (auto& list : ids) list.fill(-1);
    record.SetFileName(name);
    record.SetDate(index % 13, (index * 7) % 29, 1995 + index);
    for (int k = 0; k < index % 4; ++k) {
        const char* person = kPersons[(index + k) % 5];
        const int id = library.Catalog().FindName(NameKind::Persons, person);
        ids[0][static_cast<size_t>(k)] = id >= 0 ? id : library.AddName(NameKind::Persons, person);
    }
    if (index % 3 != 2) {
        const char* event = kEvents[index % 3];
        const int id = library.Catalog().FindName(NameKind::Events, event);
        ids[1][0] = id >= 0 ? id : library.AddName(NameKind::Events, event);
    }
    const char* location = kLocations[index % 3];
    const int id = library.Catalog().FindName(NameKind::Locations, location);
    ids[2][0] = id >= 0 ? id : library.AddName(NameKind::Locations, location);
    record.SetIds(ids);
    std::string notes = "Photo " + std::to_string(index + 1) + ".";
    if (index % 2 == 0) {
        notes += " A long note that goes on well past what the cell can show, so that its last"
                 " visible line ends with an ellipsis;";
        for (int k = 0; k < 40; ++k) notes += " and then some more words";
    }
    record.SetNotes(notes);
    library.AddPhoto(record);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: browse_screenshot out.png photo.jpg...\n");
        return 2;
    }
    QTemporaryDir library;
    for (const auto version : {PictureStore::Version::Thumbnail, PictureStore::Version::FullScreen,
                               PictureStore::Version::HighRes, PictureStore::Version::Original}) {
        std::filesystem::create_directories(std::filesystem::path(library.path().toStdString()) /
                                            PictureStore::FolderName(version));
    }
    DefaultSettings settings;
    const PictureStore store(library.path().toStdString(), settings);
    NoQuestions prompter;
    Library catalog;
    catalog.Create(library.path().toStdString() + "/Shot.pdb", prompter);
    for (int i = 2; i < argc; ++i) AddPhoto(catalog, store, argv[i], i - 2);

    QSplitter splitter;
    auto* view = new PictureView(&splitter);
    auto* list = new PhotoList(&splitter);
    view->SetLibrary(&catalog);
    list->SetLibrary(&catalog);
    list->SetSettings(&settings);
    QObject::connect(list, &PhotoList::currentPhotoChanged, view,
                     [view](const PhotoRecord* photo) { view->ShowPhoto(photo); });
    splitter.resize(1600, 900);
    splitter.setSizes({1120, 480});
    splitter.show();
    list->FillFromCatalog();
    if (list->RowCount() > 1) list->SetCurrentPhoto(list->PhotoAtRow(1));
    list->setFocus();

    const QString out = QString::fromLocal8Bit(argv[1]);
    QString listOut = out;
    listOut.insert(listOut.lastIndexOf(u'.') < 0 ? listOut.size() : listOut.lastIndexOf(u'.'), "-list");
    QTimer::singleShot(500, [&] {
        bool saved = splitter.grab().save(out);
        // The list alone, wide enough for every column.
        splitter.setSizes({0, 1600});
        QApplication::processEvents();
        saved = list->grab().save(listOut) && saved;
        std::printf("%s, %s: %d photos, %s\n", argv[1], qPrintable(listOut), list->RowCount(),
                    saved ? "saved" : "NOT saved");
        application.exit(saved ? 0 : 1);
    });
    return application.exec();
}
