// The scan window, the source's options and Select Source, driven as a person would
// through scripted dialogs, with SANE's "test" backend as the scanner.
#include "../dialogs/PhotoLibrary.h"

#include "ui/dialogs/PhotoInfoDialog.h"
#include "ui/scan/SaneSession.h"
#include "ui/scan/DeviceOptionsDialog.h"
#include "ui/scan/ScanWorker.h"
#include "ui/scan/SelectSourceDialog.h"
#include "ui/scan/TwainScanDialog.h"

#include "HeldSane.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <chrono>
namespace {

constexpr int kDeadlineMs = 20000;

QPushButton* Button(QWidget& dialog, const QString& text)
{
    for (auto* button : dialog.findChildren<QPushButton*>()) {
        if (button->text() == text) return button;
    }
    ADD_FAILURE() << "no button " << text.toStdString();
    return nullptr;
}

class ScanDialogsTest : public ::testing::Test, public PhotoLibrary {
protected:
    // Runs the scan command's window with `work` as the person in front of it.
    void RunScan(const std::function<void(TwainScanDialog&)>& work)
    {
        TwainScanDialog dialog(Host(), ScanSource{});
        dialog.setResult(QDialog::Accepted);
        work(dialog);
        m_result = dialog.result();
        EXPECT_FALSE(dialog.ConnectionOpen()) << "every end takes the connection down";
        EXPECT_EQ(dialog.SourceInterface(), nullptr);
    }

    static void WaitEnabled(TwainScanDialog& dialog)
    {
        QSignalSpy enabled(&dialog, &TwainScanDialog::sourceEnabled);
        ASSERT_TRUE(enabled.wait(kDeadlineMs));
        ASSERT_NE(dialog.SourceInterface(), nullptr);
    }

    static void ScanOnce(TwainScanDialog& dialog)
    {
        QSignalSpy handled(&dialog, &TwainScanDialog::imageHandled);
        Button(*dialog.SourceInterface(), "&Scan")->click();
        // Debian's test backend can itself hang in sane_cancel after a failed read (it
        // cancels its reader thread asynchronously, sometimes inside malloc); the scan
        // then never answers and this fails after the deadline instead of hanging.
        ASSERT_TRUE(handled.wait(kDeadlineMs)) << "no answer from the scanner";
    }

    void ThenPhoto(const char* name)
    {
        Dialogs().Then<PhotoInfoDialog>([name](PhotoInfoDialog& photo) {
            EXPECT_TRUE(photo.NameField()->text().isEmpty());
            if (!name) return photo.reject();
            photo.NameField()->setText(name);
            photo.DateField()->setText("1/2/2003");
            photo.OkButton()->click();
        });
    }

    int m_result = -1;
};

}  // namespace

TEST_F(ScanDialogsTest, TwoScansGiveTwoPhotoDialogsAndACancelledOneDoesNotEndTheScan)
{
    ThenPhoto(nullptr);
    ThenPhoto("scanned");
    RunScan([](TwainScanDialog& dialog) {
        WaitEnabled(dialog);
        ScanOnce(dialog);
        ASSERT_NE(dialog.SourceInterface(), nullptr) << "the source stays up after a cancelled photo";
        ScanOnce(dialog);
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.SourceInterface()->close();  // the source's own window asks to be closed
        EXPECT_TRUE(finished.count() > 0 || finished.wait(kDeadlineMs));
    });
    EXPECT_EQ(m_result, QDialog::Rejected);
    EXPECT_TRUE(Dialogs().Done());
    ASSERT_EQ(Catalog().PhotoCount(), 1);
    EXPECT_EQ(Catalog().PhotoAt(0).GetFileName(), "scanned");
}

TEST_F(ScanDialogsTest, CancelScannerEndsTheScanInEveryState)
{
    const std::vector<std::pair<const char*, std::function<void(TwainScanDialog&)>>> cases = {
        {"before the source is open", [](TwainScanDialog&) {}},
        {"with the source's interface up", [](TwainScanDialog& d) { WaitEnabled(d); }},
        {"after a preview", [](TwainScanDialog& d) {
             WaitEnabled(d);
             QSignalSpy handled(&d, &TwainScanDialog::imageHandled);
             Button(*d.SourceInterface(), "&Preview")->click();
             ASSERT_TRUE(handled.wait(kDeadlineMs));
         }},
        {"while scanning", [](TwainScanDialog& d) {
             WaitEnabled(d);
             Button(*d.SourceInterface(), "&Scan")->click();
         }},
    };
    for (const auto& [state, before] : cases) {
        SCOPED_TRACE(state);
        RunScan([&before](TwainScanDialog& dialog) {
            before(dialog);
            Button(dialog, "Cancel Scanner")->click();
            EXPECT_FALSE(dialog.ConnectionOpen());
        });
        EXPECT_EQ(m_result, QDialog::Rejected);
    }
    EXPECT_EQ(Catalog().PhotoCount(), 0);
}

TEST_F(ScanDialogsTest, ACancelledTransferEndsTheScan)
{
    RunScan([](TwainScanDialog& dialog) {
        WaitEnabled(dialog);
        QSignalSpy finished(&dialog, &QDialog::finished);
        Button(*dialog.SourceInterface(), "&Scan")->click();
        Button(*dialog.SourceInterface(), "Cancel")->click();
        EXPECT_TRUE(finished.wait(kDeadlineMs));
    });
    EXPECT_TRUE(Prompter().Texts().empty());
}

// SANE reads its configuration folder once per process, so this runs as a test of its
// own with a folder whose test backend fails every read.
TEST_F(ScanDialogsTest, AFailedReadShowsTheMessageAndTheScanGoesOn)
{
    if (!QByteArray(qgetenv("SANE_CONFIG_DIR")).endsWith("sane-read-fails.d")) {
        GTEST_SKIP() << "needs the failing configuration folder";
    }
    RunScan([](TwainScanDialog& dialog) {
        WaitEnabled(dialog);
        ScanOnce(dialog);
        EXPECT_NE(dialog.SourceInterface(), nullptr) << "the scan goes on";
        Button(dialog, "Cancel Scanner")->click();
    });
    EXPECT_EQ(Prompter().Texts(), std::vector<std::string>{"Error retrieving scanned image"});
}

TEST(SelectSourceDialogTest, ListsTheDevicesWithTheCurrentSourcePreselected)
{
    for (const auto& [current, expected] : std::vector<std::pair<std::string, std::string>>{
             {"", "test:0"}, {"test:1", "test:1"}, {"gone:0", "test:0"}}) {
        ScanWorker worker;
        SelectSourceDialog dialog(worker, ScanSource{current, "", "", ""});
        QSignalSpy shown(&dialog, &SelectSourceDialog::devicesShown);
        ASSERT_TRUE(shown.wait(kDeadlineMs));
        EXPECT_FALSE(dialog.Failed());
        EXPECT_EQ(dialog.Chosen().name, expected) << current;
    }
}

// A call that does not come back (SANE held elsewhere, so the worker's session waits
// longer than the worker's end may) is left behind at the deadline, and SANE is free
// again once the call returns.
TEST(ScanWorkerTest, LeavesACallThatDoesNotReturnBehindAtItsDeadline)
{
    HeldSane sane;
    ASSERT_TRUE(sane.Held());
    static_assert(ScanWorker::kCloseDeadlineMs < SaneSession::kDefaultWait.count());
    auto worker = std::make_unique<ScanWorker>();
    worker->ListDevices();
    const auto started = std::chrono::steady_clock::now();
    worker.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started,
              std::chrono::milliseconds(ScanWorker::kCloseDeadlineMs + 1000));
    sane.Release();
    EXPECT_TRUE(SaneSession().IsOpen()) << "the call left behind ends and lets SANE go";
}

// Runs as a test of its own with a configuration folder that names no backend.
TEST(NoScannerTest, SelectSourceSaysSoAndAScanEndsAtOnce)
{
    if (!QByteArray(qgetenv("SANE_CONFIG_DIR")).endsWith("sane-none.d")) {
        GTEST_SKIP() << "needs the configuration folder without backends";
    }
    ScanWorker worker;
    SelectSourceDialog select(worker, ScanSource{});
    QSignalSpy shown(&select, &SelectSourceDialog::devicesShown);
    ASSERT_TRUE(shown.wait(kDeadlineMs));
    EXPECT_FALSE(select.Failed());
    bool said = false;
    for (const QLabel* label : select.findChildren<QLabel*>()) said = said || label->text() == "No scanner found";
    EXPECT_TRUE(said);

    PhotoLibrary library;
    TwainScanDialog scan(library.Host(), ScanSource{});
    QSignalSpy finished(&scan, &QDialog::finished);
    ASSERT_TRUE(finished.wait(kDeadlineMs));
    EXPECT_EQ(scan.result(), QDialog::Rejected);
    EXPECT_FALSE(scan.ConnectionOpen());
    EXPECT_TRUE(library.Prompter().Texts().empty());
}
