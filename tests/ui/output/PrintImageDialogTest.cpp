#include "TestLibrary.h"

#include "ui/output/PrintImageDialog.h"

#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

using Version = PictureStore::Version;

class PrintImageDialogTest : public testing::Test {
  protected:
    TestLibrary m_library;
    ScriptedPrompter m_prompter;
    PrintImageDialog m_dialog{m_library.Directory(), "beach01", m_prompter};
};

// Untouched, the dialog prints 3 x 2 from the full-screen picture; a source click
// leaves the size chosen.
TEST_F(PrintImageDialogTest, SizeAndSourceAreIndependentChoices)
{
    m_library.WritePicture(Version::FullScreen, "beach01", 80, 60);
    m_library.WritePicture(Version::Original, "beach01", 80, 60);
    const struct {
        int size, source;
        Version version;
        PrintGeometry::PrintSize printed;
    } cases[] = {{-1, -1, Version::FullScreen, {3, 2}}, {3, 2, Version::Original, {9, 7}}};
    for (const auto& c : cases) {
        PrintImageDialog dialog(m_library.Directory(), "beach01", m_prompter);
        if (c.size >= 0) dialog.SizeButton(c.size)->click();
        if (c.source >= 0) dialog.SourceButton(c.source)->click();
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(std::pair(dialog.PrintSize().longSide, dialog.PrintSize().shortSide),
                  std::pair(c.printed.longSide, c.printed.shortSide));
        EXPECT_EQ(dialog.PicturePath(), m_library.VersionPath(c.version, "beach01"));
    }
}

TEST_F(PrintImageDialogTest, MissingVersionIsToldAndTheDialogStaysOpen)
{
    m_library.WritePicture(Version::FullScreen, "beach01", 80, 60);
    m_dialog.setResult(QDialog::Rejected);
    m_dialog.SourceButton(1)->click();
    m_dialog.accept();
    EXPECT_EQ(m_dialog.result(), QDialog::Rejected) << "still open";
    EXPECT_EQ(m_prompter.Texts(),
              std::vector<std::string>{"Copy of picture file does not exist in High Resolution "
                                       "Images subdirectory,\n Please select another source"});
    m_dialog.SourceButton(0)->click();
    m_dialog.accept();
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
}

} // namespace
