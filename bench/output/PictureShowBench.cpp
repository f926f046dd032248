// The picture show's steps on a library of photos with 800 x 600 full-screen files:
// each step takes the picture decoded ahead, then paints it. Printed beside the
// floor, a plain copy of a screenful of 32-bit pixels, and beside the paint the show
// did before (three-byte pixels converted at every paint). Goal: each paint under 16 ms.
// The screen is the platform's: 800 x 600 offscreen; for a full-HD screen run under
//   xvfb-run -s "-screen 0 1920x1080x24" bench_picture_show [steps]
// QUILLERY_SHOW_PAINT_TIMES=1 makes the show print its own figure for every paint too.

#include "../support/BenchTools.h"

#include "core/PhotoRecord.h"
#include "core/QuietPrompter.h"
#include "core/Settings.h"
#include "imaging/Imaging.h"
#include "store/Library.h"
#include "store/PictureStore.h"
#include "ui/browse/PhotoList.h"
#include "ui/output/PictureShowWnd.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPainter>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>

namespace {

class ShowSettings : public Settings {
public:
    int GetInt(std::string_view, int defaultValue) const override { return defaultValue; }
    std::string GetString(std::string_view key, std::string_view defaultValue) const override
    {
        // Long enough that only the keys step the show.
        return key == "PictureDelay" ? "45" : std::string(defaultValue);
    }
    void WriteInt(std::string_view, int) override {}
    void WriteString(std::string_view, std::string_view) override {}
};

img::PixelBuffer Photo(int seed)
{
    img::PixelBuffer pixels = img::PixelBuffer::AllocateForOverwrite(800, 600).Value();
    std::minstd_rand random(static_cast<unsigned>(seed));
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800 * 3; ++x)
            pixels.Row(y)[x] = static_cast<std::uint8_t>((x / 3 + y + seed * 40) / 4 + random() % 16);
    return pixels;
}

void Press(QWidget& show, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(&show, &press);
    QApplication::sendEvent(&show, &release);
}

double Ms(const QElapsedTimer& timer) { return static_cast<double>(timer.nsecsElapsed()) / 1e6; }

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int steps = argc > 1 ? std::max(3, std::atoi(argv[1])) : 30;
    const std::filesystem::path work = std::filesystem::temp_directory_path() /
                                       ("quillery-show-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(work);
    QuietPrompter prompter;
    Library library;
    Library::CreatePictureFolders(work.string());
    if (library.Create((work / "Show.pdb").string(), prompter) != Library::Outcome::Done) return 1;
    for (int i = 0; i < 8; ++i) {
        PhotoRecord record;
        record.SetFileName("photo" + std::to_string(i));
        library.AddPhoto(record);
        const std::string path = PictureStore::VersionPath(
            work.string(), PictureStore::Version::FullScreen, record.GetFileName());
        if (!img::WriteJpeg(path, Photo(i), 85)) return 1;
    }
    PhotoList list;
    list.SetLibrary(&library);
    ShowSettings settings;
    PictureShowWnd show(library, settings);
    show.Start(list, list);
    QElapsedTimer started;
    started.start();
    while (!show.State().HasStarted() && started.elapsed() < 5000) QApplication::processEvents(QEventLoop::AllEvents, 50);

    // Painted into an image of the surface's own pixel form, the way a window surface
    // is painted, so the figure does not depend on when the platform exposes the window.
    QImage surface(show.ScreenSize(), QImage::Format_RGB32);
    std::vector<double> stepTimes;
    std::vector<double> paintTimes;
    for (int i = 0; i < steps; ++i) {
        // A show waits seconds between pictures; the decode ahead has long finished.
        QThread::msleep(250);
        QElapsedTimer timer;
        timer.start();
        Press(show, Qt::Key_Down);
        stepTimes.push_back(Ms(timer));
        timer.restart();
        show.render(&surface);
        paintTimes.push_back(Ms(timer));
    }
    const QSize screen = show.ScreenSize();
    show.End();

    // The floor: a screenful of the surface's own pixels copied; and the paint before.
    QImage ready(screen, QImage::Format_RGB32);
    ready.fill(QColor(90, 120, 30));
    const QImage unconverted = ready.convertToFormat(QImage::Format_RGB888);
    const double blit = bench::TimeMs(steps, [&] {
        QPainter painter(&surface);
        painter.drawImage(QPoint(0, 0), ready);
    });
    const double converting = bench::TimeMs(steps, [&] {
        QPainter painter(&surface);
        painter.drawImage(QPoint(0, 0), unconverted);
    });
    std::filesystem::remove_all(work);

    std::printf("picture show, %d steps on a %d x %d screen (ms; goal: paint under 16)\n", steps,
                screen.width(), screen.height());
    std::printf("  step (picture decoded ahead)   median %6.2f   longest %6.2f\n",
                bench::Median(stepTimes), *std::max_element(stepTimes.begin(), stepTimes.end()));
    std::printf("  paint                          median %6.2f   longest %6.2f\n",
                bench::Median(paintTimes), *std::max_element(paintTimes.begin(), paintTimes.end()));
    std::printf("  floor: copy of a screenful     median %6.2f\n", blit);
    std::printf("  before: 3-byte pixels drawn    median %6.2f\n", converting);
    return 0;
}
