#pragma once

#include <opencv2/core/mat.hpp>

namespace img {

// Shrinks pictures by area averaging: each output pixel is the mean of the input area it
// covers, as with OpenCV's INTER_AREA, at a fraction of its cost on large pictures.
// OpenCV's area filter is fast only for exact 2:1 halvings, so the picture is halved that
// way while it is at least twice the target, and the remaining factor, below 2, is done
// by one separable area pass of our own.
class AreaScaler {
public:
    // Fills `target`, which must already have its size, no larger than `source` on
    // either side; both are 8-bit, 3 channels. OpenCV may throw: callers run this
    // inside OpenCvGuard.
    static void Shrink(const cv::Mat& source, cv::Mat& target);

private:
    static void AreaPass(const cv::Mat& source, cv::Mat& target);
};

} // namespace img
