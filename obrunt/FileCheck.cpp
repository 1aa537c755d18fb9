// File sizes and the byte-for-byte comparison of a copy with its source.
#include "FileCheck.h"

#include <windows.h>

#include <cstring>
#include <utility>
#include <vector>

namespace {

// A file opened for reading, closed with the object. Others may go on reading and writing it:
// the station's software can hold a database open.
class CReadFile
{
public:
    explicit CReadFile(const AnsiString& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr))
    {
    }
    ~CReadFile()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            CloseHandle(handle_);
    }
    CReadFile(CReadFile&& other) noexcept : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
    CReadFile& operator=(CReadFile&& other) noexcept
    {
        std::swap(handle_, other.handle_);
        return *this;
    }
    CReadFile(const CReadFile&) = delete;
    CReadFile& operator=(const CReadFile&) = delete;

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
    CReadFile a(first);
    CReadFile b(second);
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
