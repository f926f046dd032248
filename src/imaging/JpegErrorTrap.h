#pragma once

#include "imaging/ImagingErrors.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>

namespace img {

// libjpeg reports a fatal error by calling error_exit, which must not return. This class
// is the one place where that becomes a longjmp: Run() sets the jump target and calls the
// libjpeg work. The work must call libjpeg and touch plain data only: objects with
// destructors inside it would be skipped by the jump. Warnings are counted, not printed.
class JpegErrorTrap {
public:
    JpegErrorTrap();
    JpegErrorTrap(const JpegErrorTrap&) = delete;
    JpegErrorTrap& operator=(const JpegErrorTrap&) = delete;
    ~JpegErrorTrap() = default;

    jpeg_error_mgr* Manager() { return &m_state.manager; }

    // True when the work ran to its end; false after a fatal libjpeg error.
    template <typename Work>
    bool Run(Work&& work)
    {
        if (setjmp(m_state.jump) != 0) return false;
        work();
        return true;
    }

    // The image layer's error for the fatal error that stopped the last Run.
    ErrorCode FatalError() const;
    // The data ended before libjpeg had read everything it looked for: at least the
    // end-of-image marker is missing, perhaps more.
    bool SawDataEnd() const { return m_state.dataEnded; }
    // After the data ended, a Huffman decoder still needed bits: rows of the picture are
    // missing (libjpeg pads them with grey). A file that lacks only its end-of-image
    // marker ends the data but never runs short.
    bool SawRowsMissing() const { return m_state.rowsMissing; }

private:
    struct State {
        jpeg_error_mgr manager; // first, so libjpeg's pointer to it is a pointer to State
        std::jmp_buf jump;
        bool dataEnded = false;
        bool rowsMissing = false;
    };
    static void OnFatal(j_common_ptr info);
    static void OnMessage(j_common_ptr info, int level);
    static void OnOutput(j_common_ptr info);

    State m_state;
};

} // namespace img
