#include "BrowseLibrary.h"

#include "ui/browse/PictureView.h"

#include <QApplication>
#include <QScrollBar>
#include <QWindowStateChangeEvent>

#include <gtest/gtest.h>

namespace {

class PictureViewTest : public testing::Test {
protected:
    PictureViewTest()
    {
        m_view.SetLibraryDirectory(m_library.Directory());
        m_view.resize(400, 300);
        m_view.show();
    }

    PhotoRecord& PhotoWithPicture(int width, int height)
    {
        PhotoRecord& photo = m_library.Add("p");
        m_library.WritePicture(PictureStore::Version::FullScreen, "p", width, height);
        return photo;
    }

    bool ScrollBarsShown() const
    {
        return m_view.horizontalScrollBar()->maximum() > 0 || m_view.verticalScrollBar()->maximum() > 0;
    }

    QColor PixelAt(QPoint point) { return m_view.viewport()->grab().toImage().pixelColor(point); }

    BrowseLibrary m_library;
    PictureView m_view;
};

} // namespace

TEST_F(PictureViewTest, NoPhotoIsNavyWithoutScrollBars)
{
    EXPECT_TRUE(m_view.FitToWindow());
    m_view.ShowPhoto(nullptr);
    EXPECT_FALSE(ScrollBarsShown());
    EXPECT_EQ(PixelAt({10, 10}), PictureView::kBackground);
    m_view.SetFitToWindow(false);
    EXPECT_FALSE(ScrollBarsShown());
}

TEST_F(PictureViewTest, MissingPictureLeavesNavyAndZeroSize)
{
    PhotoRecord& photo = m_library.Add("missing");
    m_view.ShowPhoto(&photo);
    EXPECT_EQ(m_view.PictureWidth(), 0);
    EXPECT_EQ(m_view.PictureHeight(), 0);
    EXPECT_EQ(PixelAt({200, 150}), PictureView::kBackground);
}

TEST_F(PictureViewTest, OwnSizeLargerThanThePaneScrollsByPageAndTenth)
{
    m_view.ShowPhoto(&PhotoWithPicture(800, 600));
    EXPECT_EQ(m_view.PictureWidth(), 800);
    EXPECT_FALSE(ScrollBarsShown());
    m_view.SetFitToWindow(false);
    const QSize client = m_view.viewport()->size();
    const QScrollBar* horizontal = m_view.horizontalScrollBar();
    const QScrollBar* vertical = m_view.verticalScrollBar();
    EXPECT_EQ(horizontal->maximum(), 800 - client.width());
    EXPECT_EQ(vertical->maximum(), 600 - client.height());
    EXPECT_EQ(horizontal->pageStep(), client.width());
    EXPECT_EQ(vertical->pageStep(), client.height());
    EXPECT_EQ(horizontal->singleStep(), client.width() / 10);
    EXPECT_EQ(vertical->singleStep(), client.height() / 10);
    // Scrolled to the end, the picture's bottom-right pixel sits in the corner.
    m_view.horizontalScrollBar()->setValue(horizontal->maximum());
    m_view.verticalScrollBar()->setValue(vertical->maximum());
    EXPECT_NE(PixelAt({client.width() - 1, client.height() - 1}), PictureView::kBackground);

    m_view.SetFitToWindow(true);
    EXPECT_FALSE(ScrollBarsShown());
}

TEST_F(PictureViewTest, SmallPictureAtOwnSizeSitsTopLeftWithoutScrollBars)
{
    m_view.ShowPhoto(&PhotoWithPicture(200, 100));
    m_view.SetFitToWindow(false);
    EXPECT_FALSE(ScrollBarsShown());
    EXPECT_NE(PixelAt({5, 5}), PictureView::kBackground);
    EXPECT_NE(PixelAt({195, 95}), PictureView::kBackground);
    EXPECT_EQ(PixelAt({210, 50}), PictureView::kBackground);
    EXPECT_EQ(PixelAt({50, 110}), PictureView::kBackground);
}

TEST_F(PictureViewTest, FitEnlargesASmallPictureAndCentresIt)
{
    m_view.ShowPhoto(&PhotoWithPicture(200, 50));
    // 200 x 50 into 400 x 300: 400 x 100, centred vertically.
    EXPECT_NE(PixelAt({2, 150}), PictureView::kBackground);
    EXPECT_NE(PixelAt({397, 150}), PictureView::kBackground);
    EXPECT_EQ(PixelAt({200, 90}), PictureView::kBackground);
    EXPECT_EQ(PixelAt({200, 210}), PictureView::kBackground);
}

TEST_F(PictureViewTest, OnlyOneDimensionScrollsWhenOnlyOneIsTooBig)
{
    m_view.ShowPhoto(&PhotoWithPicture(900, 100));
    m_view.SetFitToWindow(false);
    EXPECT_GT(m_view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(m_view.verticalScrollBar()->maximum(), 0);
}

TEST_F(PictureViewTest, ResizeInFitModeReloadsThePicture)
{
    PhotoRecord& photo = PhotoWithPicture(800, 600);
    m_view.ShowPhoto(&photo);
    // The file changes behind the view; a resize in fit mode loads it again.
    m_library.WritePicture(PictureStore::Version::FullScreen, "p", 640, 480);
    m_view.resize(500, 350);
    QApplication::processEvents();
    EXPECT_EQ(m_view.PictureWidth(), 640);

    m_view.SetFitToWindow(false);
    m_library.WritePicture(PictureStore::Version::FullScreen, "p", 320, 240);
    m_view.resize(450, 320);
    QApplication::processEvents();
    EXPECT_EQ(m_view.PictureWidth(), 640);
}

TEST_F(PictureViewTest, FitToWindowChangeIsAnnounced)
{
    int announced = 0;
    QObject::connect(&m_view, &PictureView::fitToWindowChanged, [&announced](bool) { ++announced; });
    m_view.SetFitToWindow(false);
    m_view.SetFitToWindow(false);
    m_view.SetFitToWindow(true);
    EXPECT_EQ(announced, 2);
}

TEST(PictureViewWindow, RestoringFromMinimisedReloadsInFitModeOnly)
{
    BrowseLibrary library;
    QWidget window;
    auto* view = new PictureView(&window);
    view->SetLibraryDirectory(library.Directory());
    view->resize(400, 300);
    window.show();
    PhotoRecord& photo = library.Add("p");
    library.WritePicture(PictureStore::Version::FullScreen, "p", 800, 600);
    view->ShowPhoto(&photo);

    library.WritePicture(PictureStore::Version::FullScreen, "p", 640, 480);
    QWindowStateChangeEvent minimised(Qt::WindowNoState);
    QApplication::sendEvent(&window, &minimised);
    EXPECT_EQ(view->PictureWidth(), 800) << "minimising does not reload";
    QWindowStateChangeEvent restored(Qt::WindowMinimized);
    QApplication::sendEvent(&window, &restored);
    EXPECT_EQ(view->PictureWidth(), 640);

    view->SetFitToWindow(false);
    library.WritePicture(PictureStore::Version::FullScreen, "p", 320, 240);
    QApplication::sendEvent(&window, &restored);
    EXPECT_EQ(view->PictureWidth(), 640);
}
