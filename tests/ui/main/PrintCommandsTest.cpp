#include "MainFrameFixture.h"

#include "ui/main/PrintCommands.h"
#include "ui/output/PrintImageDialog.h"
#include "ui/output/ReportPreviewDialog.h"

#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>

namespace {

class PrintCommandsTest : public MainFrameTest {
  protected:
    std::string m_pdf = Path("printed.pdf");
    std::size_t m_opened = 0;

    // The file requests after the library was opened.
    std::vector<FileRequest> PrintRequests() const
    {
        return {m_chooser.Requests().begin() + static_cast<std::ptrdiff_t>(m_opened),
                m_chooser.Requests().end()};
    }

    void SetUp() override
    {
        OpenWithDialog(MakeLibrary("Family.pdb"));
        m_prompter.Forget();
        m_opened = m_chooser.Requests().size();
        // What these tests print does not depend on the machine's printers.
        Printer().setOutputFormat(QPrinter::PdfFormat);
        Printer().setOutputFileName(QString());
    }
    QPrinter& Printer() { return m_frame.findChild<PrintCommands*>()->Printer(); }
    // The first photo current, with its full-screen picture, and the print dialog accepted.
    void PrintFirst()
    {
        QImage image(80, 60, QImage::Format_RGB888);
        image.fill(Qt::darkBlue);
        ASSERT_TRUE(image.save(QString::fromStdString(FullScreenPath("beach01"))));
        MakeCurrent(0);
        m_dialogs.Then<PrintImageDialog>([](PrintImageDialog& dialog) { dialog.accept(); });
    }
    static int Pages(const std::string& pdf)
    {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
        info.waitForFinished(60000);
        const QString text = QString::fromUtf8(info.readAllStandardOutput());
        const qsizetype at = text.indexOf(QStringLiteral("Pages:"));
        return at < 0 ? 0 : text.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
    }
};

TEST_F(PrintCommandsTest, WithoutAPrinterThePictureGoesToThePdfFileNamed)
{
    PrintFirst();
    m_chooser.Answer(m_pdf);
    Trigger(CommandId::PrintImage);

    const std::vector<FileRequest> requests = PrintRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].kind, FileDialogKind::Save);
    EXPECT_EQ(requests[0].defaultSuffix, "pdf");
    EXPECT_TRUE(m_prompter.Texts().empty());
    EXPECT_EQ(Pages(m_pdf), 1);
    EXPECT_TRUE(Printer().outputFileName().isEmpty()) << "asked again at the next print";
}

TEST_F(PrintCommandsTest, PdfFileChosenInSetupIsUsedWithoutAQuestion)
{
    Printer().setOutputFileName(QString::fromStdString(m_pdf));
    m_dialogs.Then<ReportPreviewDialog>([](ReportPreviewDialog& dialog) {
        EXPECT_EQ(dialog.PageCount(), 1);
        dialog.accept();
    });
    QSignalSpy status(m_frame.statusBar(), &QStatusBar::messageChanged);

    Trigger(CommandId::PrintReport);

    EXPECT_TRUE(PrintRequests().empty());
    EXPECT_EQ(Pages(m_pdf), 1);
    ASSERT_EQ(status.size(), 2);
    EXPECT_EQ(status[0].at(0).toString(), QStringLiteral("Page 1 being printed"));
    EXPECT_EQ(status[1].at(0).toString(), QString());
}

// Neither a declined file for the picture nor a report cancelled in its preview prints.
TEST_F(PrintCommandsTest, CancelledAtEitherStepPrintsNothing)
{
    PrintFirst();
    m_chooser.Cancel();
    Trigger(CommandId::PrintImage);
    m_chooser.Answer(m_pdf);
    m_dialogs.Then<ReportPreviewDialog>([](ReportPreviewDialog& dialog) { dialog.reject(); });
    Trigger(CommandId::PrintReport);
    EXPECT_TRUE(m_dialogs.Done());
    EXPECT_FALSE(Exists(m_pdf));
    EXPECT_TRUE(m_prompter.Texts().empty());
}

} // namespace
