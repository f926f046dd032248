#include "imaging/AreaScaler.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace img {

namespace {

// The input spans one output sample covers along one axis, with their weights
// (summing to 1), flattened: taps of output i are [first[i], first[i + 1]).
struct Taps {
    std::vector<int> first;
    std::vector<int> index;
    std::vector<float> weight;
};

Taps AreaTaps(int inputSize, int outputSize)
{
    Taps taps;
    taps.first.reserve(static_cast<size_t>(outputSize) + 1);
    const double scale = static_cast<double>(inputSize) / outputSize;
    for (int out = 0; out < outputSize; ++out) {
        taps.first.push_back(static_cast<int>(taps.index.size()));
        const double start = out * scale;
        const double end = std::min<double>(inputSize, (out + 1) * scale);
        for (int in = static_cast<int>(start); in < inputSize && in < end; ++in) {
            const double covered = std::min<double>(in + 1, end) - std::max<double>(in, start);
            if (covered <= 0) continue;
            taps.index.push_back(in);
            taps.weight.push_back(static_cast<float>(covered / scale));
        }
    }
    taps.first.push_back(static_cast<int>(taps.index.size()));
    return taps;
}

} // namespace

void AreaScaler::Shrink(const cv::Mat& source, cv::Mat& target)
{
    cv::Mat current = source;
    while (current.cols >= 2 * target.cols && current.rows >= 2 * target.rows) {
        // Even sides keep OpenCV's exact 2:1 fast path; the odd last row or column is
        // dropped, which shifts the picture by less than one output pixel.
        const cv::Mat even = current(cv::Rect(0, 0, current.cols & ~1, current.rows & ~1));
        const cv::Size half(even.cols / 2, even.rows / 2);
        if (half == target.size()) {
            cv::resize(even, target, half, 0, 0, cv::INTER_AREA);
            return;
        }
        cv::Mat next;
        cv::resize(even, next, half, 0, 0, cv::INTER_AREA);
        current = next;
    }
    if (current.size() == target.size())
        current.copyTo(target);
    else
        AreaPass(current, target);
}

void AreaScaler::AreaPass(const cv::Mat& source, cv::Mat& target)
{
    const Taps across = AreaTaps(source.cols, target.cols);
    const Taps down = AreaTaps(source.rows, target.rows);
    const size_t sourceRow = static_cast<size_t>(source.cols) * 3;

    // Down first: whole rows are summed with one weight each, which vectorises well;
    // the pass across then works on the few output rows only.
    std::vector<float> column(sourceRow);
    for (int y = 0; y < target.rows; ++y) {
        std::fill(column.begin(), column.end(), 0.0f);
        const auto rowTaps = static_cast<size_t>(y);
        for (int t = down.first[rowTaps]; t < down.first[rowTaps + 1]; ++t) {
            const std::uint8_t* row = source.ptr<std::uint8_t>(down.index[static_cast<size_t>(t)]);
            const float w = down.weight[static_cast<size_t>(t)];
            float* sum = column.data();
            for (size_t i = 0; i < sourceRow; ++i) sum[i] += w * static_cast<float>(row[i]);
        }
        std::uint8_t* out = target.ptr<std::uint8_t>(y);
        for (int x = 0; x < target.cols; ++x) {
            const auto pixelTaps = static_cast<size_t>(x);
            float r = 0.5f, g = 0.5f, b = 0.5f;
            for (int t = across.first[pixelTaps]; t < across.first[pixelTaps + 1]; ++t) {
                const float* pixel = column.data() + 3 * static_cast<size_t>(across.index[static_cast<size_t>(t)]);
                const float w = across.weight[static_cast<size_t>(t)];
                r += w * pixel[0];
                g += w * pixel[1];
                b += w * pixel[2];
            }
            out[3 * x] = static_cast<std::uint8_t>(std::min(r, 255.0f));
            out[3 * x + 1] = static_cast<std::uint8_t>(std::min(g, 255.0f));
            out[3 * x + 2] = static_cast<std::uint8_t>(std::min(b, 255.0f));
        }
    }
}

} // namespace img
