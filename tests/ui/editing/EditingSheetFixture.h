#pragma once

#include "MemorySettings.h"
#include "TestLibrary.h"

#include "imaging/Picture.h"
#include "ui/browse/ViewPalette.h"
#include "ui/editing/BrightnessPage.h"
#include "ui/editing/ClipPage.h"
#include "ui/editing/ColorBalancePage.h"
#include "ui/editing/GalleryButton.h"
#include "ui/editing/PhotoEditingPropertySheet.h"
#include "ui/editing/RotatePage.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

// A library with one photo whose full-screen version is 640 x 480, and the editing
// sheet over it, shown offscreen.
class EditingSheetTest : public testing::Test {
  protected:
    enum Page { kRotate, kClip, kBrightness, kColorBalance };
    using Version = TestLibrary::Version;

    void SetUp() override { m_library.WritePicture(Version::FullScreen, "p", 640, 480); }

    PhotoEditingPropertySheet&
    Open(PhotoEditingPropertySheet::Start start = PhotoEditingPropertySheet::Start::Current)
    {
        m_sheet = std::make_unique<PhotoEditingPropertySheet>(
            m_library.GetLibrary(), m_photo, m_settings, m_library.Prompter(), m_palette, start);
        m_sheet->show();
        return *m_sheet;
    }
    void GoTo(Page page) { m_sheet->Tabs().setCurrentIndex(page); }
    std::string Bytes(Version version) const
    {
        const std::string path = m_library.VersionPath(version, "p");
        return Exists(path) ? ReadBytes(path) : std::string();
    }
    static bool SamePixels(const Picture& a, const Picture& b)
    {
        return a.GetSize() == b.GetSize() &&
               std::memcmp(a.Pixels().Data(), b.Pixels().Data(), a.Pixels().ByteSize()) == 0;
    }
    // The source as the sheet loaded it with a change applied.
    Picture Changed(void (*change)(Picture&)) const
    {
        Picture picture;
        picture.CopyFrom(m_sheet->SourcePicture());
        change(picture);
        return picture;
    }

    TestLibrary m_library;
    const PhotoRecord& m_photo = m_library.Add("p");
    MemorySettings m_settings;
    const img::Palette m_palette = ViewPalette::Build();
    std::unique_ptr<PhotoEditingPropertySheet> m_sheet;
};
