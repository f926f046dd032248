#pragma once

// Views of a PixelBuffer's bytes as a QImage and as a cv::Mat, sharing the memory: no
// copy is made, writes through a view change the buffer. A view is valid while the buffer
// lives and keeps its size; never let a view outlive the buffer or resize the view.

#include "imaging/PixelBuffer.h"

#include <QImage>
#include <opencv2/core/mat.hpp>

namespace img {

class PixelAdapter {
public:
    static QImage AsQImage(PixelBuffer& pixels);
    static QImage AsQImage(const PixelBuffer& pixels); // read-only: Qt detaches on write
    static cv::Mat AsMat(PixelBuffer& pixels);
    static cv::Mat AsMat(const PixelBuffer& pixels); // do not write through it
};

} // namespace img
