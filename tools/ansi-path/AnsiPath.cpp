#include "AnsiPath.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace ansipath {

namespace fs = std::filesystem;

fs::path toPath(const std::string& path)
{
#ifdef _WIN32
    if (path.empty())
        return fs::path();
    const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                           nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), &wide[0], length);
    return fs::path(wide);
#else
    return fs::path(path);
#endif
}

std::string fromPath(const fs::path& path)
{
#ifdef _WIN32
    const std::wstring& wide = path.native();
    if (wide.empty())
        return std::string();
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &narrow[0], length,
                        nullptr, nullptr);
    return narrow;
#else
    return path.string();
#endif
}

} // namespace ansipath
