#include "ExportFile.h"

#include <utility>

CExportFile::~CExportFile()
{
    Discard();
}

CExportFile::CExportFile(CExportFile&& other) noexcept
    : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)),
      path_(std::exchange(other.path_, AnsiString()))
{
}

CExportFile& CExportFile::operator=(CExportFile&& other) noexcept
{
    if (this != &other) {
        Discard();
        handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
        path_ = std::exchange(other.path_, AnsiString());
    }
    return *this;
}

bool CExportFile::Create(const AnsiString& path)
{
    Discard();
    handle_ = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        return false;
    // A name that opened a device (printer port, NUL, console) made no file; the device is closed
    // again and, not being ours, never deleted.
    if (GetFileType(handle_) != FILE_TYPE_DISK) {
        CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
        return false;
    }
    path_ = path;
    return true;
}

bool CExportFile::Write(const void* data, std::uint32_t length)
{
    DWORD written = 0;
    return handle_ != INVALID_HANDLE_VALUE
        && WriteFile(handle_, data, length, &written, nullptr) && written == length;
}

bool CExportFile::Rewind()
{
    return handle_ != INVALID_HANDLE_VALUE && SetFilePointer(handle_, 0, nullptr, FILE_BEGIN) == 0;
}

bool CExportFile::Keep()
{
    if (handle_ == INVALID_HANDLE_VALUE)
        return false;
    const bool closed = CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
    if (!closed) {
        Discard();
        return false;
    }
    path_.clear();
    return true;
}

void CExportFile::Discard() noexcept
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE));
    if (!path_.empty()) {
        DeleteFileA(path_.c_str());
        path_.clear();
    }
}
