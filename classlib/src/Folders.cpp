// Folder existence and creation with all missing parents.
#include "Folders.h"

#include <windows.h>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The path without trailing separators, keeping the one of a root ("C:\", "\").
AnsiString WithoutTrailingSeparators(AnsiString path)
{
    while (path.size() > 1 && IsSeparator(path.back()) && path[path.size() - 2] != ':')
        path.pop_back();
    return path;
}

}  // namespace

bool DirectoryExists(const AnsiString& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool ForceDirectories(const AnsiString& path)
{
    const AnsiString dir = WithoutTrailingSeparators(path);
    if (dir.empty())
        return false;
    if (DirectoryExists(dir))
        return true;
    const size_t last = dir.find_last_of("\\/");
    if (last != AnsiString::npos) {
        const AnsiString parent = dir.substr(0, last + 1);
        // A root that does not exist has no parent to make.
        if (WithoutTrailingSeparators(parent) != dir && !ForceDirectories(parent))
            return false;
    }
    if (CreateDirectoryA(dir.c_str(), nullptr))
        return true;
    // Someone else may have made it meanwhile; a file of that name is no directory.
    return GetLastError() == ERROR_ALREADY_EXISTS && DirectoryExists(dir);
}
