#include "imaging/JpegErrorTrap.h"

#include <jerror.h>

namespace img {

JpegErrorTrap::JpegErrorTrap()
{
    jpeg_std_error(&m_state.manager);
    m_state.manager.error_exit = &JpegErrorTrap::OnFatal;
    m_state.manager.emit_message = &JpegErrorTrap::OnMessage;
    m_state.manager.output_message = &JpegErrorTrap::OnOutput;
}

void JpegErrorTrap::OnFatal(j_common_ptr info)
{
    auto* state = reinterpret_cast<State*>(info->err);
    std::longjmp(state->jump, 1);
}

void JpegErrorTrap::OnMessage(j_common_ptr info, int level)
{
    if (level >= 0) return; // trace messages
    auto* state = reinterpret_cast<State*>(info->err);
    // The source stands in an end-of-image marker when the data runs out, so the
    // decoder meets a marker: only one met after the data ended means data is missing;
    // a stray marker in the middle of a whole file stays the warning it always was.
    if (info->err->msg_code == JWRN_JPEG_EOF) state->dataEnded = true;
    if (info->err->msg_code == JWRN_HIT_MARKER && state->dataEnded) state->rowsMissing = true;
    ++info->err->num_warnings;
}

void JpegErrorTrap::OnOutput(j_common_ptr /*info*/)
{
    // A library must not write to stderr; the error number says what happened.
}

ErrorCode JpegErrorTrap::FatalError() const
{
    switch (m_state.manager.msg_code) {
    case JERR_OUT_OF_MEMORY:
        return kErrNoMemory;
    case JERR_FILE_WRITE:
        return kErrWriteFailed;
    case JERR_FILE_READ:
        return kErrReadFailed;
    case JERR_INPUT_EMPTY:
    case JERR_INPUT_EOF:
        return kErrTruncated;
    case JERR_IMAGE_TOO_BIG:
    case JERR_WIDTH_OVERFLOW:
        return kErrTooLarge;
    default:
        return kErrBadData;
    }
}

} // namespace img
