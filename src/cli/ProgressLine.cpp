#include "cli/ProgressLine.h"

#include <ostream>

namespace {
// Back to the line's start and clear it.
constexpr const char* kClearLine = "\r\033[K";
} // namespace

void ProgressLine::ShowProgress(const std::string& text, int index, int count)
{
    if (!m_terminal) return;
    m_out << kClearLine << '[' << index + 1 << '/' << count << "] " << text << std::flush;
    m_shown = true;
}

void ProgressLine::ClearProgress()
{
    if (!m_shown) return;
    m_out << kClearLine << std::flush;
    m_shown = false;
}
