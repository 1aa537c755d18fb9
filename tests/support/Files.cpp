#include "Files.h"

#include "AnsiPath.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace support {

namespace {

namespace fs = std::filesystem;

using ansipath::fromPath;
using ansipath::toPath;

bool Present(const fs::path& path)
{
    std::error_code error;
    return fs::symlink_status(path, error).type() != fs::file_type::not_found && !error;
}

}  // namespace

std::string ReadFile(const std::string& path)
{
    std::ifstream in(toPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    MakeParentFolders(path);
    std::ofstream out(toPath(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(toPath(path), error);
}

bool FolderExists(const std::string& path)
{
    std::error_code error;
    return fs::is_directory(toPath(path), error);
}

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(toPath(folder), error), end; !error && it != end; it.increment(error))
        names.push_back(fromPath(it->path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

void MakeParentFolders(const std::string& path)
{
    const fs::path parent = toPath(path).parent_path();
    std::error_code error;
    if (!parent.empty() && !fs::is_directory(parent, error) && !fs::create_directories(parent, error))
        throw std::runtime_error("cannot make the folders of " + path);
}

void RemoveTree(const std::string& path)
{
    const fs::path root = toPath(path);
    if (!Present(root))
        return;
    // Copies keep the read-only attribute of their source, and Windows removes no such file.
    std::error_code error;
    auto writable = [](const fs::path& file) {
        std::error_code ignored;
        fs::permissions(file, fs::perms::owner_write, fs::perm_options::add, ignored);
    };
    if (fs::symlink_status(root, error).type() == fs::file_type::regular)
        writable(root);
    if (fs::is_directory(fs::symlink_status(root, error)))
        for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; it.increment(error))
            if (it->symlink_status(error).type() == fs::file_type::regular)
                writable(it->path());
    fs::remove_all(root, error);
    if (Present(root))
        throw std::runtime_error("cannot remove " + path);
}

ScratchFolder::ScratchFolder(const std::string& name)
{
#ifdef _WIN32
    const unsigned long pid = GetCurrentProcessId();
#else
    const unsigned long pid = static_cast<unsigned long>(getpid());
#endif
    const fs::path folder = fs::temp_directory_path() / ("tabulon-" + name + "-" + std::to_string(pid));
    path_ = fromPath(folder);
    RemoveTree(path_);
    fs::create_directories(folder);
}

ScratchFolder::~ScratchFolder()
{
    try {
        RemoveTree(path_);
    } catch (...) {
    }
}

std::string ScratchFolder::File(const std::string& name) const
{
    return fromPath(toPath(path_) / toPath(name));
}

}  // namespace support
