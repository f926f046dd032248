// Runs on a real X server (Xvfb, started by run-on-xvfb.sh): another program, xclip,
// must see the picture on the clipboard in every form and paste the same pixels.
#include "TestLibrary.h"

#include "imaging/Picture.h"
#include "ui/browse/PictureView.h"
#include "ui/common/DialogGuard.h"
#include "ui/dialogs/CopyToClipboardDialog.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

// Runs xclip while the event loop goes on serving the clipboard to it.
QByteArray Paste(const QString& target)
{
    QProcess xclip;
    QSignalSpy finished(&xclip, &QProcess::finished);
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                 target, QStringLiteral("-o")});
    EXPECT_TRUE(finished.wait(20000)) << "xclip did not finish";
    EXPECT_EQ(xclip.exitCode(), 0) << xclip.readAllStandardError().toStdString();
    return xclip.readAllStandardOutput();
}

TEST(ClipboardOnX11, OtherProgramsPasteEveryFormAfterTheDialogHasGone)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
    TestLibrary lib;
    const std::string path = lib.VersionPath(PictureStore::Version::FullScreen, "beach");
    QImage file(800, 533, QImage::Format_RGB32);
    for (int y = 0; y < file.height(); ++y)
        for (int x = 0; x < file.width(); ++x) file.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    ASSERT_TRUE(file.save(QString::fromStdString(path), "JPEG", 95));
    const PhotoRecord& photo = lib.Add("beach");
    PictureView view;
    view.SetLibrary(&lib.GetLibrary());
    view.ShowPhoto(&photo);
    {
        DialogGuard<CopyToClipboardDialog> dialog(lib.GetLibrary(), view, lib.Prompter());
        dialog->SizeButton(1027)->click();
        dialog->accept();
        ASSERT_EQ(dialog->result(), QDialog::Accepted);
    }
    EXPECT_TRUE(QGuiApplication::clipboard()->ownsClipboard());

    const QList<QByteArray> targets = Paste(QStringLiteral("TARGETS")).split('\n');
    for (const char* type : {"image/png", "image/bmp", "image/svg+xml"})
        EXPECT_TRUE(targets.contains(type)) << type << " missing from " << targets.join(' ').toStdString();
    EXPECT_TRUE(Paste(QStringLiteral("image/svg+xml")).contains("Created by Quillery"));

    Picture expected;
    expected.LoadFile(path);
    ASSERT_EQ(expected.FitInto(300, 200), Picture::kOk);
    const QImage want = expected.ToBitmap().convertToFormat(QImage::Format_RGB32);
    const QImage pasted = QImage::fromData(Paste(QStringLiteral("image/png")), "PNG")
                              .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(pasted.size(), QSize(300, 199));
    EXPECT_EQ(pasted, want);
}

}  // namespace
