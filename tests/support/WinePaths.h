// The two sides of Wine's Z: drive: Linux paths of the build (compiled into the tests) as the
// Windows programs see them, the Linux path behind a Windows path, and Linux commands run from
// a Windows test.
#pragma once

#include <string>

namespace support {

// "Z:\..." of a Linux path.
std::string WindowsPath(const std::string& linuxPath);
// The Linux path Wine maps a Windows path to; empty when Wine gives none.
std::string UnixPath(const std::string& windowsPath);
// Runs a Linux command line (given to /bin/sh, no double quotes in it) from the test and waits
// for it; true when it exited with 0. Its output, standard error included, goes to output.
bool RunUnix(const std::string& command, std::string* output = nullptr);

}  // namespace support
