#pragma once

// Owns one POSIX file descriptor and closes it when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : m_fd(fd) {}
    ~FileDescriptor();
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.Release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;

    bool IsOpen() const { return m_fd >= 0; }
    int Get() const { return m_fd; }
    int Release();
    // Closes now and reports whether the close succeeded: on some file systems the
    // last write error shows up only here.
    bool Close();

private:
    int m_fd = -1;
};
