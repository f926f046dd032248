#pragma once

#include "imaging/Status.h"

#include <exception>
#include <new>

namespace img {

// OpenCV reports failures by throwing (cv::Exception, std::bad_alloc). Every imaging
// entry point that calls it runs the call through here, so no exception leaves the layer.
class OpenCvGuard {
public:
    template <typename Work>
    static Status Run(Work&& work)
    {
        try {
            work();
            return kErrNone;
        } catch (const std::bad_alloc&) {
            return kErrNoMemory;
        } catch (const std::exception&) {
            return kErrFilterFailed;
        }
    }
};

} // namespace img
