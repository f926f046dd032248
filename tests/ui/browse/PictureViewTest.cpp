#include "TestLibrary.h"

#include "ui/browse/PictureView.h"

#include <QApplication>
#include <QTest>
#include <QWindowStateChangeEvent>

#include <gtest/gtest.h>

namespace {

class PictureViewTest : public testing::Test {
protected:
    PictureViewTest()
    {
        m_view.SetLibrary(&m_library.GetLibrary());
        m_view.resize(400, 300);
        m_window.show();
    }

    const PhotoRecord* ShowPicture(int width, int height)
    {
        const PhotoRecord* photo = &m_library.Add("p");
        Replace(width, height);
        m_view.ShowPhoto(photo);
        return photo;
    }
    void Replace(int width, int height)
    {
        m_library.WritePicture(PictureStore::Version::FullScreen, "p", width, height);
    }

    TestLibrary m_library;
    QWidget m_window;
    PictureView& m_view = *new PictureView(&m_window);
};

} // namespace

TEST_F(PictureViewTest, FitModeReloadsOnResizeAndOnRestoringTheWindow)
{
    m_view.ShowPhoto(&m_library.Add("missing"));
    EXPECT_EQ(m_view.PictureWidth(), 0);
    ShowPicture(800, 600);
    Replace(640, 480);
    m_view.resize(500, 350);
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_view.PictureWidth() == 640; }, 2000));

    Replace(320, 240);
    QWindowStateChangeEvent minimised(Qt::WindowNoState);
    QApplication::sendEvent(&m_window, &minimised);
    EXPECT_EQ(m_view.PictureWidth(), 640) << "minimising does not reload";
    QWindowStateChangeEvent restored(Qt::WindowMinimized);
    QApplication::sendEvent(&m_window, &restored);
    EXPECT_EQ(m_view.PictureWidth(), 320);

    m_view.SetFitToWindow(false);
    Replace(160, 120);
    const QSize client = m_view.viewport()->size();
    m_view.resize(450, 320);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_view.viewport()->size() != client; }, 2000));
    QApplication::sendEvent(&m_window, &restored);
    EXPECT_EQ(m_view.PictureWidth(), 320) << "own size reloads on neither";
}

// The view follows the library: pictures written anew are shown anew, and a photo
// that goes, or a library that is replaced, leaves the view empty before the record
// is freed.
TEST_F(PictureViewTest, FollowsTheLibrary)
{
    const PhotoRecord* photo = ShowPicture(200, 100);
    Replace(300, 100);
    m_library.GetLibrary().PicturesChanged(*photo);
    EXPECT_EQ(m_view.PictureWidth(), 300);

    m_library.GetLibrary().RemovePhoto(*photo);
    EXPECT_EQ(m_view.PhotoShown(), nullptr);
    EXPECT_EQ(m_view.PictureWidth(), 0);

    m_view.ShowPhoto(&m_library.Add("p"));
    m_library.GetLibrary().Close();
    EXPECT_EQ(m_view.PhotoShown(), nullptr);
}
