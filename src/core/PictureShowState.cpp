#include "core/PictureShowState.h"

#include <algorithm>
#include <cstdlib>
#include <string>

std::uint32_t PictureShowState::DelayFromSetting(std::string_view seconds)
{
    const long long value = std::atoi(std::string(seconds).c_str());
    return static_cast<std::uint32_t>(value * 1000);
}

void PictureShowState::Start(int firstSelectedRow)
{
    m_index = firstSelectedRow < 0 ? -1 : firstSelectedRow - 1;
}

int PictureShowState::Advance(int rowCount)
{
    ++m_index;
    if (m_index >= rowCount) m_index = 0;
    return m_index;
}

void PictureShowState::BackUp(int rowCount)
{
    m_index -= 2;
    if (m_index == -1) {
        m_index = rowCount - 1;
    } else if (m_index == -2) {
        m_index = rowCount - 2;
    }
}

PictureShowState::Reaction PictureShowState::LeftButtonDown()
{
    if (m_paused) return Reaction::Step;
    // Signed, so that a delay below the step lands on the floor instead of wrapping.
    const long long shorter = static_cast<long long>(m_delay) - kClickStep;
    m_delay = static_cast<std::uint32_t>(std::max<long long>(shorter, kShortestClickDelay));
    return Reaction::None;
}

PictureShowState::Reaction PictureShowState::RightButtonDown()
{
    if (m_paused) return Reaction::StepBack;
    const unsigned long long longer = static_cast<unsigned long long>(m_delay) + kClickStep;
    m_delay = static_cast<std::uint32_t>(std::min<unsigned long long>(longer, kLongestClickDelay));
    return Reaction::None;
}

PictureShowState::Reaction PictureShowState::LeftDoubleClick()
{
    m_paused = !m_paused;
    return m_paused ? Reaction::Pause : Reaction::Step;
}

PictureShowState::Reaction PictureShowState::KeyReleased(Key key)
{
    switch (key) {
    case Key::Next:
        return Reaction::Step;
    case Key::Previous:
        return Reaction::StepBack;
    case Key::PauseOrResume:
        return LeftDoubleClick();
    case Key::Other:
        return Reaction::End;
    }
    return Reaction::End;
}
