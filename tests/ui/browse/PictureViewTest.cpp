#include "TestLibrary.h"

#include "ui/browse/PictureView.h"

#include <gtest/gtest.h>

// The view follows the library: pictures written anew are shown anew, and a photo
// that goes, or a library that is replaced, leaves the view empty before the record
// is freed.
TEST(PictureViewTest, FollowsTheLibrary)
{
    TestLibrary library;
    PictureView view;
    view.SetLibrary(&library.GetLibrary());
    view.resize(400, 300);
    view.show();
    const PhotoRecord* photo = &library.Add("p");
    library.WritePicture(PictureStore::Version::FullScreen, "p", 200, 100);
    view.ShowPhoto(photo);
    library.WritePicture(PictureStore::Version::FullScreen, "p", 300, 100);
    library.GetLibrary().PicturesChanged(*photo);
    EXPECT_EQ(view.PictureWidth(), 300);

    library.GetLibrary().RemovePhoto(*photo);
    EXPECT_EQ(view.PhotoShown(), nullptr);
    EXPECT_EQ(view.PictureWidth(), 0);

    view.ShowPhoto(&library.Add("p"));
    library.GetLibrary().Close();
    EXPECT_EQ(view.PhotoShown(), nullptr);
}
