#pragma once

#include <array>
#include <streambuf>

// The tool's standard output, written straight to a file descriptor so that a failed
// write keeps its reason (errno): a full disk must end the command with a message, not
// with a silent exit status, and by the time a stream reports its failure errno may
// already say something else.
class OutputBuffer : public std::streambuf {
public:
    explicit OutputBuffer(int descriptor);
    ~OutputBuffer() override;
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    // The errno of the first write that failed; 0 while every write succeeded.
    int Error() const { return m_error; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool Drain();

    int m_descriptor;
    int m_error = 0;
    std::array<char, 8192> m_buffer{};
};
