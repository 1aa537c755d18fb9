// File sizes, the byte-for-byte comparison of a copy with its source, and the flush of a copy.
#include "FileCheck.h"

#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

// An existing file opened while the object lives, closed with it.
class CFileHandle
{
public:
    CFileHandle(const AnsiString& path, DWORD access, DWORD share, DWORD flags)
        : handle_(CreateFileA(path.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr))
    {
    }
    // For reading. Others may go on reading and writing it: the station's software can hold a
    // database open.
    static CFileHandle ForReading(const AnsiString& path)
    {
        return CFileHandle(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           FILE_FLAG_SEQUENTIAL_SCAN);
    }
    ~CFileHandle()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    CFileHandle(CFileHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE))
    {
    }
    CFileHandle& operator=(CFileHandle&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

    // Fills the buffer as far as the file goes; the number of bytes read, or -1 on an error.
    long Read(std::vector<char>& buffer)
    {
        DWORD total = 0;
        while (total < buffer.size()) {
            DWORD got = 0;
            if (!ReadFile(handle_, buffer.data() + total, static_cast<DWORD>(buffer.size()) - total, &got, nullptr))
                return -1;
            if (got == 0)
                break;
            total += got;
        }
        return static_cast<long>(total);
    }

    // Needs the file opened for writing.
    bool Flush() { return FlushFileBuffers(handle_) != FALSE; }

private:
    HANDLE handle_;
};

}  // namespace

long long FileSize(const AnsiString& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool SameFileContents(const AnsiString& first, const AnsiString& second)
{
    const long long size = FileSize(first);
    if (size < 0 || FileSize(second) != size)
        return false;
    CFileHandle a = CFileHandle::ForReading(first);
    CFileHandle b = CFileHandle::ForReading(second);
    if (!a.IsOpen() || !b.IsOpen())
        return false;
    std::vector<char> bufferA(64 * 1024);
    std::vector<char> bufferB(bufferA.size());
    for (;;) {
        const long gotA = a.Read(bufferA);
        const long gotB = b.Read(bufferB);
        if (gotA < 0 || gotA != gotB || std::memcmp(bufferA.data(), bufferB.data(), gotA) != 0)
            return false;
        if (gotA == 0)
            return true;
    }
}

bool FlushToDisk(const AnsiString& path)
{
    CFileHandle file(path, GENERIC_WRITE, FILE_SHARE_READ, FILE_ATTRIBUTE_NORMAL);
    return file.IsOpen() && file.Flush();
}
