#include "base/FileDescriptor.h"

#include <unistd.h>

FileDescriptor::~FileDescriptor()
{
    Close();
}

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept
{
    if (this != &other) {
        Close();
        m_fd = other.Release();
    }
    return *this;
}

int FileDescriptor::Release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

bool FileDescriptor::Close()
{
    if (m_fd < 0) return true;
    const int fd = Release();
    return ::close(fd) == 0;
}
