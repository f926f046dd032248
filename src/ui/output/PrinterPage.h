#pragma once

#include "core/PrintGeometry.h"

#include <string_view>

class QPagedPaintDevice;
class Settings;

// What both print commands read from the printer before they lay anything out.
class PrinterPage {
  public:
    // Told when the printer refuses to start a job; nothing is printed then.
    static constexpr std::string_view kCannotStart = "The printer cannot be started";

    // The printable area, the resolution and the printing offset (the gap between
    // the paper's corner and the printable area's).
    static PrintGeometry::PrinterMetrics Metrics(const QPagedPaintDevice& printer);
    // The margin settings, moved out of the unprintable border where they lie in it.
    static PrintGeometry::Margins Margins(const Settings& settings,
                                          const PrintGeometry::PrinterMetrics& metrics);
};
