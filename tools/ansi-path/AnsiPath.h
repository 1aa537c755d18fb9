// Paths in the ANSI code page (as the Windows programs and their tests give them: Czech names as
// Windows-1250 bytes) as std::filesystem paths, and back. On Windows the library would read the
// narrow text as another code page, and Czech names would come out wrong; elsewhere the bytes
// pass as they are.
#pragma once

#include <filesystem>
#include <string>

namespace ansipath {

std::filesystem::path toPath(const std::string& path);
std::string fromPath(const std::filesystem::path& path);

} // namespace ansipath
