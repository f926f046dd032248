#include "PdfProbe.h" // with the library, settings and prompter

#include "ui/output/ImagePrinter.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Run by cups-queue-test.sh, which starts a cupsd of its own with one queue on the
// PDF backend and names the queue and the folder where its files land.
TEST(CupsQueueTest, PictureGoesThroughARealQueue)
{
    const QString queue = qEnvironmentVariable("QUILLERY_CUPS_QUEUE");
    const QString out = qEnvironmentVariable("QUILLERY_CUPS_OUT");
    if (queue.isEmpty() || out.isEmpty()) GTEST_SKIP() << "run by cups-queue-test.sh";
    ASSERT_TRUE(QPrinterInfo::availablePrinterNames().contains(queue));

    const TestLibrary library;
    const std::string picture = library.MakeImage("harbour.jpg", 800, 600);

    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    ASSERT_EQ(printer.outputFormat(), QPrinter::NativeFormat);
    MemorySettings settings;
    ScriptedPrompter prompter;
    EXPECT_EQ(ImagePrinter::Print(printer, picture, "harbour", {5, 3}, settings, prompter),
              ImagePrinter::Outcome::Printed);
    EXPECT_TRUE(prompter.Texts().empty());

    // The backend names the file after the job and writes it while the job runs:
    // wait until it is there and has stopped growing.
    const QDir folder(out);
    QStringList files;
    qint64 lastSize = -1;
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        files = folder.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        const qint64 size = files.isEmpty() ? -1 : QFileInfo(folder.filePath(files[0])).size();
        if (size > 0 && size == lastSize) break;
        lastSize = size;
        QTest::qWait(500);
    }
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].contains(QStringLiteral("harbour"))) << files[0].toStdString();
    const std::string pdf = folder.filePath(files[0]).toStdString();
    EXPECT_EQ(PdfProbe::PageCount(pdf), 1);
}

} // namespace
