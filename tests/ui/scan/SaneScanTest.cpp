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

// A session with the first test device open, at a resolution that keeps scans small.
class SaneDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(m_device, nullptr);
        m_device->SetNumber("resolution", 25);
    }

    const SaneSession m_session;
    const std::unique_ptr<SaneDevice> m_device = m_session.Open(ScanSource{});
    std::atomic<bool> m_cancel = false;
};
using SaneScanFaultTest = SaneDeviceTest;

class SaneScanTest : public SaneDeviceTest, public ::testing::WithParamInterface<ScanCase> {};

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
    ASSERT_TRUE(m_device->SetText("mode", c.mode));
    ASSERT_TRUE(m_device->SetNumber("depth", c.depth));
    ASSERT_TRUE(m_device->SetNumber("hand-scanner", c.handScanner ? 1 : 0));
    ASSERT_TRUE(!c.threePass || m_device->SetNumber("three-pass", 1));
    ASSERT_TRUE(m_device->SetText("test-picture", c.picture));

    int lastProgress = -1;
    const SaneDevice::Frame frame = m_device->Scan(m_cancel, [&](int percent) { lastProgress = percent; });
    ASSERT_EQ(frame.status, SANE_STATUS_GOOD);
    Picture picture;
    ASSERT_TRUE(picture.LoadFromDib(frame.dib));
    EXPECT_TRUE(c.handScanner || lastProgress == 100) << lastProgress;
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

TEST_F(SaneScanFaultTest, ACancelledScanGivesNoImage)
{
    const SaneDevice::Frame frame = m_device->Scan(m_cancel, [&](int) { m_cancel = true; });
    EXPECT_EQ(frame.status, SANE_STATUS_CANCELLED);
    EXPECT_TRUE(frame.dib.empty());
    m_cancel = false;
    EXPECT_EQ(m_device->Scan(m_cancel).status, SANE_STATUS_GOOD) << "the device scans again after a cancel";
}

TEST_F(SaneScanFaultTest, AReadErrorGivesItsStatusAndNoImage)
{
    ASSERT_TRUE(m_device->SetNumber("enable-test-options", 1));
    ASSERT_TRUE(m_device->SetText("read-return-value", "SANE_STATUS_IO_ERROR"));
    const SaneDevice::Frame frame = m_device->Scan(m_cancel);
    EXPECT_EQ(frame.status, SANE_STATUS_IO_ERROR);
    EXPECT_TRUE(frame.dib.empty());
}

TEST_F(SaneScanFaultTest, AFeederGivesOneImageAfterAnother)
{
    ASSERT_TRUE(m_device->SetText("source", "Automatic Document Feeder"));
    EXPECT_EQ(m_device->Scan(m_cancel).status, SANE_STATUS_GOOD);
    EXPECT_EQ(m_device->Scan(m_cancel).status, SANE_STATUS_GOOD);
}

TEST_F(SaneDeviceTest, OffersTheOptionsTheDialogShows)
{
    const std::vector<std::string> modes = m_device->Choices("mode");
    EXPECT_NE(std::find(modes.begin(), modes.end(), "Color"), modes.end());
    ASSERT_TRUE(m_device->Range("resolution"));
    ASSERT_TRUE(m_device->Range("br-x"));
    EXPECT_GT(m_device->Range("br-x")->second, 0.0);
    ASSERT_TRUE(m_device->SetNumber("br-x", 20.0));
    EXPECT_NEAR(*m_device->Number("br-x"), 20.0, 0.01) << "millimetres go to the device as fixed point";
    EXPECT_EQ(m_device->Text("mode"), "Gray");
    EXPECT_FALSE(m_device->Number("no-such-option"));
}
