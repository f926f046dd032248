#pragma once

#include <cstdint>
#include <string_view>

// Where a picture show stands and how the user's clicks and keys move it: the delay
// between pictures, running or paused, and the index into the photo list. Knows no
// window; the show window turns each reaction into timer and picture work.
class PictureShowState {
  public:
    // What the window has to do after an event.
    enum class Reaction {
        None,     // nothing now (a changed delay counts from the next step)
        Step,     // show the next picture; restarts the delay when running
        StepBack, // show the previous picture
        Pause,    // stop the timer
        End,      // close the show
    };
    // The keys the show tells apart; everything else ends it.
    enum class Key { Next, Previous, PauseOrResume, Other };

    static constexpr int kNotStarted = -2;
    static constexpr std::uint32_t kClickStep = 500;
    static constexpr std::uint32_t kShortestClickDelay = 2000;
    static constexpr std::uint32_t kLongestClickDelay = 45000;

    explicit PictureShowState(std::uint32_t delay) : m_delay(delay) {}

    // The "PictureDelay" text in seconds, read with C atoi rules, as milliseconds.
    // Negative or huge texts wrap as an unsigned 32-bit number does.
    static std::uint32_t DelayFromSetting(std::string_view seconds);

    std::uint32_t Delay() const { return m_delay; }
    bool IsPaused() const { return m_paused; }
    bool HasStarted() const { return m_index != kNotStarted; }
    int Index() const { return m_index; }

    // The first step lands on the first selected row, or on the first row when none
    // is selected (-1).
    void Start(int firstSelectedRow);
    // Moves on one row, wrapping after the last; returns the new index.
    int Advance(int rowCount);
    // Moves so that the next Advance lands one row before the current one: from the
    // first row to the last, and with one row on that row again.
    void BackUp(int rowCount);

    Reaction LeftButtonDown();
    Reaction RightButtonDown();
    // The first press of a double click arrives as a button down of its own before it.
    Reaction LeftDoubleClick();
    Reaction KeyReleased(Key key);

  private:
    std::uint32_t m_delay;
    bool m_paused = false;
    int m_index = kNotStarted;
};
