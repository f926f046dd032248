#pragma once

#include "imaging/ImagingErrors.h"

#include <exception>
#include <new>

namespace img {

// OpenCV reports failures by throwing (cv::Exception, std::bad_alloc). Every imaging
// entry point that calls it runs the call through here, so no exception leaves the layer.
class OpenCvGuard {
public:
    template <typename Work>
    static bool Run(Work&& work)
    {
        try {
            work();
            SetLastError(kErrNone);
            return true;
        } catch (const std::bad_alloc&) {
            SetLastError(kErrNoMemory);
        } catch (const std::exception&) {
            SetLastError(kErrFilterFailed);
        }
        return false;
    }
};

} // namespace img
