#pragma once

#include <string>

class PhotoList;

// For benchmarks: when the environment variable QUILLERY_REPORT_FIRST_PAINT names a
// file, the moment the photo list first ends a paint with rows (thumbnails included)
// is written there, as seconds of the system's monotonic clock, which a benchmark
// that started the program reads on the same clock. Off when the variable is unset.
class FirstPaintReport {
  public:
    static constexpr const char* kVariable = "QUILLERY_REPORT_FIRST_PAINT";

    static void Arm(const PhotoList& list);
    // Writes the monotonic clock's present reading to the file; false when it cannot.
    static bool WriteNow(const std::string& path);
};
