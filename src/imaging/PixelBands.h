#pragma once

#include <opencv2/core/utility.hpp>

#include <algorithm>

namespace img {

// Runs work(first, last) over [0, count) in bands on OpenCV's worker threads. Passes
// over a whole big picture are bound by memory and by the core they run on; two
// cores halve them. Small counts run in one band, where starting threads costs more
// than it gains. The work must not throw.
template <typename Work>
void ForEachBand(int count, int minimumPerBand, const Work& work)
{
    if (count <= 0) return;
    const int bands = std::clamp(count / std::max(minimumPerBand, 1), 1, 16);
    if (bands == 1) {
        work(0, count);
        return;
    }
    cv::parallel_for_(cv::Range(0, bands), [&](const cv::Range& range) {
        const auto bandStart = [&](int band) {
            return static_cast<int>(static_cast<long long>(count) * band / bands);
        };
        work(bandStart(range.start), bandStart(range.end));
    });
}

} // namespace img
