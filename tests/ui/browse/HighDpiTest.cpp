#include "DrawnPixels.h"
#include "TestLibrary.h"

#include "ui/browse/PhotoList.h"
#include "ui/browse/PictureView.h"
#include "ui/browse/PreviewStatic.h"

#include <QApplication>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Two device pixels to each pixel of layout, as on a screen scaled to 200 %: set
// while the program starts, before the test main makes the application.
const bool kScaledScreen = qputenv("QT_SCALE_FACTOR", "2");

// A JPEG of dark and light columns in turn, so any doubling shows; the answer is
// the picture as decoded.
QImage WriteStripes(const std::string& path, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, x % 2 ? qRgb(230, 230, 230) : qRgb(25, 25, 25));
    EXPECT_TRUE(image.save(QString::fromStdString(path), "JPG", 100));
    return QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

TEST(HighDpiTest, PreviewIsScaledToDevicePixelsAndDrawnOneToOne)
{
    ASSERT_TRUE(kScaledScreen);
    ASSERT_EQ(qApp->devicePixelRatio(), 2.0);
    TestLibrary library;
    PreviewStatic preview;
    preview.setFixedSize(192, 138);
    preview.show();
    ASSERT_TRUE(preview.ShowFile(library.MakeImage("wide.png", 1200, 600)));
    const QRect inner = preview.contentsRect().adjusted(1, 1, -1, -1);
    const QImage picture = preview.DisplayPicture().ToBitmap().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(picture.width(), inner.width() * 2) << "fitted to layout pixels and so doubled";

    const QImage drawn = preview.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = inner.topLeft() * 2 + QPoint(0, (inner.height() * 2 - picture.height()) / 2);
    EXPECT_TRUE(DrawnOneToOne(drawn, picture, at));
}

TEST(HighDpiTest, PictureViewDrawsAtItsOwnSizeInDevicePixels)
{
    TestLibrary library;
    const PhotoRecord& photo = library.Add("p");
    const QImage stripes = WriteStripes(library.VersionPath(PictureStore::Version::FullScreen, "p"), 300, 120);
    PictureView view;
    view.SetLibrary(&library.GetLibrary());
    view.resize(100, 80);
    view.show();
    view.SetFitToWindow(false);
    view.ShowPhoto(&photo);
    EXPECT_EQ(view.OwnSize(), QSize(150, 60));
    view.horizontalScrollBar()->setValue(10);
    const QImage drawn = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(DrawnOneToOne(drawn, stripes.copy(20, 0, 180, 120), {0, 0}, 24));
}

// On a scaled screen the list draws each thumbnail from the full-screen file, one
// device pixel to one picture pixel; a photo announced as changed is decoded anew, and
// without a full-screen file the thumbnail file serves.
TEST(HighDpiTest, ListThumbnailsComeSharpFromTheFullScreenFile)
{
    TestLibrary library;
    const PhotoRecord& photo = library.Add("p");
    const std::string fullScreen = library.VersionPath(PictureStore::Version::FullScreen, "p");
    const QImage stripes = WriteStripes(fullScreen, 300, 200);
    library.WritePicture(PictureStore::Version::Thumbnail, "p", 150, 100);
    PhotoList list;
    list.SetLibrary(&library.GetLibrary());
    list.resize(800, 300);
    list.show();
    // The 150 x 100 box is centred in the cell, as the thumbnail file is.
    const QRect rect = list.visualRect(list.model()->index(0, kPictureColumn));
    const QPoint cell = rect.topLeft() * 2 + QPoint(rect.width() - 150, rect.height() - 100);
    const auto drawn = [&list] { return list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); };
    EXPECT_TRUE(DrawnOneToOne(drawn(), stripes, cell, 24));

    QImage red(300, 200, QImage::Format_RGB32);
    red.fill(qRgb(200, 0, 0));
    ASSERT_TRUE(red.save(QString::fromStdString(fullScreen), "JPG", 100));
    const PhotoRecord same = photo;
    library.GetLibrary().ChangePhoto(photo, same);
    EXPECT_TRUE(DrawnOneToOne(drawn(), red, cell, 24)) << "decoded anew after the change";

    std::filesystem::remove(fullScreen);
    library.GetLibrary().ChangePhoto(photo, same);
    const QColor corner(drawn().pixel(cell + QPoint(4, 4)));
    EXPECT_TRUE(corner.red() > 200 && corner.green() > 170 && corner.blue() < 80)
        << "the thumbnail file's yellow quarter, not red: " << corner.name().toStdString();
}
