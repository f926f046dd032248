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

TEST_F(PrintImageDialogTest, StartsOnTwoByThreeFromTheFullScreenPicture)
{
    m_library.WritePicture(Version::FullScreen, "beach01", 80, 60);
    m_dialog.accept();
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog.PrintSize().longSide, 3);
    EXPECT_EQ(m_dialog.PrintSize().shortSide, 2);
    EXPECT_EQ(m_dialog.PicturePath(), m_library.VersionPath(Version::FullScreen, "beach01"));
}

TEST_F(PrintImageDialogTest, SizeAndSourceAreIndependentChoices)
{
    m_library.WritePicture(Version::Original, "beach01", 80, 60);
    m_dialog.SizeButton(3)->click();
    m_dialog.SourceButton(2)->click();
    EXPECT_TRUE(m_dialog.SizeButton(3)->isChecked()) << "a source click leaves the size";
    EXPECT_FALSE(m_dialog.SizeButton(0)->isChecked());
    m_dialog.accept();
    EXPECT_EQ(m_dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_dialog.PrintSize().longSide, 9);
    EXPECT_EQ(m_dialog.PrintSize().shortSide, 7);
    EXPECT_EQ(m_dialog.PicturePath(), m_library.VersionPath(Version::Original, "beach01"));
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
