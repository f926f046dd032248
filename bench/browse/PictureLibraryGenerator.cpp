#include "PictureLibraryGenerator.h"

#include "../database/LibraryGenerator.h"

#include "core/CQuilleryDoc.h"
#include "core/QuietPrompter.h"
#include "imaging/Picture.h"
#include "imaging/PixelAdapter.h"
#include "imaging/PixelBuffer.h"
#include "store/PictureStore.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A picture that differs from its neighbours in colour and in a large number, so a
// scroll through the list shows the rows changing.
bool WritePicture(const std::string& path, int width, int height, int number)
{
    auto pixels = img::PixelBuffer::Allocate(width, height);
    if (!pixels) return false;
    {
        QImage canvas = img::PixelAdapter::AsQImage(pixels.Value());
        QPainter painter(&canvas);
        QLinearGradient sky(0, 0, width, height);
        sky.setColorAt(0, QColor::fromHsv(number * 360 / PictureLibraryGenerator::kDistinctPictures,
                                          160, 230));
        sky.setColorAt(1, QColor::fromHsv((number * 37) % 360, 200, 90));
        painter.fillRect(0, 0, width, height, sky);
        QFont font = painter.font();
        font.setPixelSize(height / 2);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, width, height), Qt::AlignCenter, QString::number(number));
    }
    Picture picture;
    picture.Adopt(std::move(pixels).Value());
    return picture.SaveFile(path, Picture::kJpeg, 75) == Picture::kOk;
}

bool LinkOrCopy(const std::string& from, const std::string& to)
{
    if (::link(from.c_str(), to.c_str()) == 0) return true;
    std::error_code error;
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
}

struct VersionSpec {
    PictureStore::Version version;
    int width;
    int height;
};

} // namespace

std::string PictureLibraryGenerator::Write(const std::string& folder, int photos,
                                           unsigned long long seed)
{
    std::error_code error;
    fs::remove_all(folder, error);
    fs::create_directories(fs::path(folder) / "masters", error);
    const std::string database = (fs::path(folder) / "Browse.pdb").string();
    const std::string masters = (fs::path(folder) / "masters").string();

    CQuilleryDoc catalog;
    LibraryGenerator(seed).Fill(catalog, photos);
    QuietPrompter prompter;
    // The writer replaces a file that exists, as a save does.
    std::ofstream(database, std::ios::trunc).flush();
    if (!catalog.WriteDatabase(database, prompter)) {
        std::fprintf(stderr, "cannot write %s\n", database.c_str());
        return {};
    }
    const VersionSpec versions[] = {{PictureStore::Version::Thumbnail, 150, 100},
                                    {PictureStore::Version::FullScreen, 800, 600}};
    for (const VersionSpec& spec : versions) {
        fs::create_directories(fs::path(folder) / PictureStore::FolderName(spec.version), error);
        std::vector<std::string> sources;
        for (int i = 0; i < kDistinctPictures; ++i) {
            sources.push_back(masters + "/" + std::to_string(static_cast<int>(spec.version)) + "-" +
                              std::to_string(i) + ".jpg");
            if (!WritePicture(sources.back(), spec.width, spec.height, i)) {
                std::fprintf(stderr, "cannot write %s\n", sources.back().c_str());
                return {};
            }
        }
        for (int i = 0; i < catalog.PhotoCount(); ++i) {
            const std::string target =
                PictureStore::VersionPath(folder, spec.version, catalog.PhotoAt(i).GetFileName());
            if (!LinkOrCopy(sources[static_cast<size_t>(i % kDistinctPictures)], target)) {
                std::fprintf(stderr, "cannot write %s\n", target.c_str());
                return {};
            }
        }
    }
    // The other two versions are optional; their folders only have to exist.
    for (const auto version : {PictureStore::Version::HighRes, PictureStore::Version::Original})
        fs::create_directories(fs::path(folder) / PictureStore::FolderName(version), error);
    return database;
}
