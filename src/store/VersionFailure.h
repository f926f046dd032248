#pragma once

#include "store/VersionTable.h"

#include <string>
#include <string_view>

// What went wrong in writing a version, for the fronts to turn into the message.
struct VersionFailure {
    enum class Step { Resize, Write };
    PhotoVersion version;
    Step step;
    int code;
};

// The message a front shows for a failure: the version's text for the step, then the
// code in decimal ("Error saving picture (150x100) to thumbs - 12").
inline std::string FailureMessage(const VersionFailure& failure)
{
    const VersionInfo& info = InfoOf(failure.version);
    const std::string_view text =
        failure.step == VersionFailure::Step::Resize ? info.resizeError : info.writeError;
    return std::string(text) + std::to_string(failure.code);
}
