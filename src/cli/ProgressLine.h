#pragma once

#include "store/TransferHost.h"

#include <iosfwd>

// The progress of an export or import as one line on a terminal, written over at each
// photo; nothing when the stream is no terminal.
class ProgressLine : public TransferHost {
  public:
    ProgressLine(std::ostream& out, bool terminal) : m_out(out), m_terminal(terminal) {}

    void ShowProgress(const std::string& text, int index, int count) override;
    void ClearProgress() override;

  private:
    std::ostream& m_out;
    bool m_terminal;
    bool m_shown = false;
};
