// An export sink over a POSIX file descriptor, for the native tests and the native bench of the
// export writer.
#pragma once

#include "ExportWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

class PosixFileSink : public CExportSink {
public:
    // Creates or truncates the file; valid() tells whether it opened.
    explicit PosixFileSink(const std::string& path)
        : fd_(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)), owned_(true) {}
    // Writes to a descriptor the caller keeps (a pipe, say).
    static PosixFileSink OverDescriptor(int fd) { return PosixFileSink(fd); }
    ~PosixFileSink() override
    {
        if (owned_ && fd_ >= 0)
            ::close(fd_);
    }
    PosixFileSink(PosixFileSink&& other) noexcept : fd_(other.fd_), owned_(other.owned_)
    {
        other.fd_ = -1;
    }
    PosixFileSink(const PosixFileSink&) = delete;
    PosixFileSink& operator=(const PosixFileSink&) = delete;

    bool valid() const { return fd_ >= 0; }

    bool Write(const void* data, std::uint32_t length) override
    {
        const char* bytes = static_cast<const char*>(data);
        while (length > 0) {
            const ssize_t n = ::write(fd_, bytes, length);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return false;
            bytes += n;
            length -= static_cast<std::uint32_t>(n);
        }
        return true;
    }

    bool Rewind() override { return ::lseek(fd_, 0, SEEK_SET) == 0; }

private:
    explicit PosixFileSink(int fd) : fd_(fd), owned_(false) {}

    int fd_;
    bool owned_;
};
