#include "TestLibrary.h"

#include "app/FirstPaintReport.h"
#include "ui/browse/PhotoList.h"

#include <QTest>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <fstream>

namespace {

double MonotonicNow()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace

// The moment is written once, when a paint with rows ends, on the clock a benchmark
// that started the program reads; a paint of an empty list does not count.
TEST(FirstPaintReport, WritesTheEndOfTheFirstPaintWithRowsOnce)
{
    TestLibrary library;
    const std::string report = library.File("first-paint");
    qputenv(FirstPaintReport::kVariable, QByteArray::fromStdString(report));
    PhotoList list;
    list.SetLibrary(&library.GetLibrary());
    FirstPaintReport::Arm(list);
    qunsetenv(FirstPaintReport::kVariable);
    list.resize(600, 300);
    list.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    list.viewport()->repaint();
    EXPECT_FALSE(std::filesystem::exists(report));

    const double before = MonotonicNow();
    library.Add("first");
    list.viewport()->repaint();
    double reported = -1;
    std::ifstream(report) >> reported;
    EXPECT_LE(before, reported);
    EXPECT_LE(reported, MonotonicNow());

    std::filesystem::remove(report);
    list.viewport()->repaint();
    EXPECT_FALSE(std::filesystem::exists(report));
}
