// What the export and print tests expect of an export file, computed independently of the
// browser's own code: Windows' CryptoAPI MD5, the export folder asked of the shell, whole files.
#pragma once

#include <windows.h>
#include <wincrypt.h>
#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace exporttest {

// MD5 of the bytes through CryptoAPI.
inline std::string CryptoMd5(const std::string& bytes)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    BYTE digest[16] = {};
    DWORD size = sizeof digest;
    const bool ok =
        CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT) &&
        CryptCreateHash(provider, CALG_MD5, 0, 0, &hash) &&
        CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()),
                      static_cast<DWORD>(bytes.size()), 0) &&
        CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0) && size == 16;
    if (hash)
        CryptDestroyHash(hash);
    if (provider)
        CryptReleaseContext(provider, 0);
    if (!ok)
        throw std::runtime_error("CryptoAPI gives no MD5");
    return std::string(reinterpret_cast<const char*>(digest), 16);
}

// The export file of a document: its seal, then the document.
inline std::string Sealed(const std::string& document)
{
    return CryptoMd5(document + "OSKEV") + document;
}

// Documents + "\Trevant\", where the browser writes its export files.
inline std::string ExportFolder()
{
    char folder[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_PERSONAL | CSIDL_FLAG_CREATE, nullptr, 0, folder) < 0)
        throw std::runtime_error("no documents folder");
    return std::string(folder) + "\\Trevant\\";
}

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Names of the files (not folders) in a folder.
inline std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Empties the export folder of files, so that a test sees only what it made.
inline void ClearExportFolder()
{
    const std::string folder = ExportFolder();
    for (const std::string& name : FilesIn(folder))
        DeleteFileA((folder + name).c_str());
}

// A protocol document of the given length, text as a station's documents are.
inline std::string Document(size_t length, unsigned seed = 1)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<protocol>\r\n";
    unsigned value = seed;
    while (text.size() < length) {
        value = value * 1103515245u + 12345u;
        text += "<measurement n=\"" + std::to_string(value % 997) + "\">CO " +
                std::to_string(value % 100) + "." + std::to_string(value % 7) +
                " % \xC8" "ist\xE1 hodnota</measurement>\r\n";
    }
    text.resize(length);
    return text;
}

}  // namespace exporttest
