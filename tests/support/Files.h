// Whole files and folders for the tests of both builds, read and written with the standard
// library (not through the code under test), and a scratch folder of the test program's own.
//
// Paths are as the program under test gives them: under Windows in the ANSI code page (Czech
// names as Windows-1250 bytes), either slash. Every function that changes something raises
// std::runtime_error when it cannot.
//
//   support::ScratchFolder scratch("ibpp");          // emptied now, removed at its end
//   support::WriteFile(scratch.File("a\\b.txt"), "bytes");  // folders made on the way
//   EXPECT_EQ("bytes", support::ReadFile(scratch.File("a\\b.txt")));
#pragma once

#include <string>
#include <vector>

namespace support {

// The whole file; empty when it is missing or cannot be read.
std::string ReadFile(const std::string& path);
// Replaces the file with the bytes, making missing folders.
void WriteFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// The names in a folder (files and folders), sorted; none when it is no folder.
std::vector<std::string> FolderEntries(const std::string& folder);
// Makes the folders that lead to path, as far as they are missing.
void MakeParentFolders(const std::string& path);
// Removes a file, or a folder with everything in it (read-only files too); nothing when it is
// not there.
void RemoveTree(const std::string& path);

// A folder of its own under the system's temporary folder for one test program ("tabulon-" +
// name + the process id), emptied when made and removed with everything in it when it goes.
class ScratchFolder
{
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The path of an entry of the folder.
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

}  // namespace support
