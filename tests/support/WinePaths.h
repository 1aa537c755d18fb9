// The two sides of Wine's Z: drive: Linux paths of the build (compiled into the tests) as the
// Windows programs see them, and the Linux path behind a Windows path.
#pragma once

#include <string>

namespace support {

// "Z:\..." of a Linux path.
std::string WindowsPath(const std::string& linuxPath);
// The Linux path Wine maps a Windows path to; empty when Wine gives none.
std::string UnixPath(const std::string& windowsPath);

}  // namespace support
