// Scans through SANE's "test" backend, switched on by the tests' own configuration
// folder: real frames through the real library, in every format the backend can send.
#include "imaging/Picture.h"
#include "ui/scan/SaneDevice.h"
#include "ui/scan/SaneSession.h"

#include "HeldSane.h"

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <dlfcn.h>

namespace {

// Before any test starts SANE, which reads the folder's name once per process.
const bool kConfigured = setenv("SANE_CONFIG_DIR", QUILLERY_SANE_TEST_CONFIG, 0) == 0;

// The test backend leaks its reader's buffer when a scan ends before the reader does,
// and sane_exit unloads it, which leaves the leak without a name. Kept loaded, the leak
// names the backend, and tests/support/lsan.supp lets it pass.
void* const kBackendKept = dlopen(QUILLERY_SANE_TEST_BACKEND, RTLD_NOW | RTLD_NODELETE);

struct ScanCase {
    const char* name;
    const char* mode;
    int depth;
    bool handScanner;
    bool threePass;
    const char* picture;
    QRgb expected;  // every pixel of a solid picture
};

void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.name; }

class SaneScanTest : public ::testing::TestWithParam<ScanCase> {};

std::unique_ptr<SaneDevice> OpenFirst(const SaneSession& session)
{
    auto device = session.Open(ScanSource{});
    if (device) {
        device->SetNumber("resolution", 25);
    }
    return device;
}

Picture Take(const SaneDevice::Frame& frame)
{
    Picture picture;
    EXPECT_TRUE(picture.LoadFromDib(frame.dib));
    return picture;
}

}  // namespace

TEST(SaneSessionTest, ListsTheTestDevicesAndOpensTheFirstForAnUnchosenSource)
{
    ASSERT_TRUE(kConfigured);
    const SaneSession session;
    ASSERT_TRUE(session.IsOpen());
    const std::vector<ScanSource> devices = session.Devices();
    ASSERT_GE(devices.size(), 2U);
    EXPECT_EQ(devices.front().name, "test:0");
    EXPECT_NE(session.Open(devices[1]), nullptr);
    EXPECT_EQ(session.Open(ScanSource{"test:nonesuch", "", "", ""}), nullptr);
    EXPECT_NE(session.Open(ScanSource{}), nullptr);
}

// SANE is one per process: a session whose driver never returns holds it, and the
// next one must give up within its wait instead of joining the hang.
TEST(SaneSessionTest, ASecondSessionGivesUpWhileAnotherHoldsSane)
{
    HeldSane sane;
    ASSERT_TRUE(sane.Held());
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(SaneSession(std::chrono::milliseconds(200)).IsOpen());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    sane.Release();
    EXPECT_TRUE(SaneSession(std::chrono::milliseconds(200)).IsOpen()) << "free again once it is closed";
}

TEST_P(SaneScanTest, ScansAWholeFrameIntoAPicture)
{
    const ScanCase& c = GetParam();
    const SaneSession session;
    auto device = OpenFirst(session);
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->SetText("mode", c.mode));
    ASSERT_TRUE(device->SetNumber("depth", c.depth));
    ASSERT_TRUE(device->SetNumber("hand-scanner", c.handScanner ? 1 : 0));
    if (c.threePass) {
        ASSERT_TRUE(device->SetNumber("three-pass", 1));
    }
    ASSERT_TRUE(device->SetText("test-picture", c.picture));

    std::atomic<bool> cancel = false;
    int lastProgress = -1;
    const SaneDevice::Frame frame = device->Scan(cancel, [&](int percent) { lastProgress = percent; });
    ASSERT_EQ(frame.status, SANE_STATUS_GOOD);
    const Picture picture = Take(frame);
    ASSERT_TRUE(picture.HasPicture());
    if (!c.handScanner) {
        EXPECT_EQ(lastProgress, 100);
    }
    const QImage image = picture.ToBitmap();
    for (const QPoint at : {QPoint(0, 0), QPoint(image.width() - 1, image.height() - 1),
                            QPoint(image.width() / 2, image.height() / 3)}) {
        EXPECT_EQ(image.pixel(at) & 0xFFFFFFU, c.expected & 0xFFFFFFU) << at.x() << "," << at.y();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Formats, SaneScanTest,
    ::testing::Values(ScanCase{"Gray8White", "Gray", 8, false, false, "Solid white", 0xFFFFFF},
                      ScanCase{"Gray8Black", "Gray", 8, false, false, "Solid black", 0x000000},
                      ScanCase{"Gray16White", "Gray", 16, false, false, "Solid white", 0xFFFFFF},
                      ScanCase{"LineArtBlack", "Gray", 1, false, false, "Solid black", 0x000000},
                      ScanCase{"LineArtWhite", "Gray", 1, false, false, "Solid white", 0xFFFFFF},
                      ScanCase{"Color8White", "Color", 8, false, false, "Solid white", 0xFFFFFF},
                      ScanCase{"Color16White", "Color", 16, false, false, "Solid white", 0xFFFFFF},
                      ScanCase{"ThreePassWhite", "Color", 8, false, true, "Solid white", 0xFFFFFF},
                      ScanCase{"HandScannerWhite", "Gray", 8, true, false, "Solid white", 0xFFFFFF}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(SaneScanFaultTest, ACancelledScanGivesNoImage)
{
    const SaneSession session;
    auto device = OpenFirst(session);
    ASSERT_NE(device, nullptr);
    std::atomic<bool> cancel = false;
    const SaneDevice::Frame frame = device->Scan(cancel, [&](int) { cancel = true; });
    EXPECT_EQ(frame.status, SANE_STATUS_CANCELLED);
    EXPECT_TRUE(frame.dib.empty());
    cancel = false;
    EXPECT_EQ(device->Scan(cancel).status, SANE_STATUS_GOOD) << "the device scans again after a cancel";
}

TEST(SaneScanFaultTest, AReadErrorGivesItsStatusAndNoImage)
{
    const SaneSession session;
    auto device = OpenFirst(session);
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->SetNumber("enable-test-options", 1));
    ASSERT_TRUE(device->SetText("read-return-value", "SANE_STATUS_IO_ERROR"));
    const std::atomic<bool> cancel = false;
    const SaneDevice::Frame frame = device->Scan(cancel);
    EXPECT_EQ(frame.status, SANE_STATUS_IO_ERROR);
    EXPECT_TRUE(frame.dib.empty());
}

TEST(SaneScanFaultTest, AFeederGivesOneImageAfterAnother)
{
    const SaneSession session;
    auto device = OpenFirst(session);
    ASSERT_NE(device, nullptr);
    ASSERT_TRUE(device->SetText("source", "Automatic Document Feeder"));
    const std::atomic<bool> cancel = false;
    EXPECT_EQ(device->Scan(cancel).status, SANE_STATUS_GOOD);
    EXPECT_EQ(device->Scan(cancel).status, SANE_STATUS_GOOD);
}

TEST(SaneDeviceTest, OffersTheOptionsTheDialogShows)
{
    const SaneSession session;
    auto device = OpenFirst(session);
    ASSERT_NE(device, nullptr);
    const std::vector<std::string> modes = device->Choices("mode");
    EXPECT_NE(std::find(modes.begin(), modes.end(), "Color"), modes.end());
    ASSERT_TRUE(device->Range("resolution"));
    ASSERT_TRUE(device->Range("br-x"));
    EXPECT_GT(device->Range("br-x")->second, 0.0);
    ASSERT_TRUE(device->SetNumber("br-x", 20.0));
    EXPECT_NEAR(*device->Number("br-x"), 20.0, 0.01) << "millimetres go to the device as fixed point";
    EXPECT_EQ(device->Text("mode"), "Gray");
    EXPECT_FALSE(device->Number("no-such-option"));
}
