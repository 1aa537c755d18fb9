// TRegistry over the advapi32 registry calls.
#include "Registry.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>

namespace {

[[noreturn]] void Raise(const char* text, const AnsiString& name)
{
    // Plain concatenation: a '%' in the value name is text, not a format.
    throw ERegistryException(AnsiString(text) + " '" + name + "'");
}

[[noreturn]] void RaiseInvalidType(const AnsiString& name) { Raise("Invalid data type for", name); }
[[noreturn]] void RaiseGetFailed(const AnsiString& name) { Raise("Failed to get data for", name); }

// Type and data of a value; the registry's error code (ERROR_FILE_NOT_FOUND when missing).
LONG QueryValue(HKEY key, const AnsiString& name, DWORD& type, std::string& data)
{
    DWORD size = 0;
    LONG rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
    // The data may grow between the two calls; ask again until they fit.
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
        data.assign(size + 1, '\0');
        DWORD got = size + 1;
        rc = RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &got);
        if (rc == ERROR_SUCCESS) {
            data.resize(got);
            return rc;
        }
        size = got > size ? got : size * 2 + 16;
    }
    return rc;
}

// Keeps the 32/64-bit view that the object's access asks for.
REGSAM ViewFlags(REGSAM access) { return access & (KEY_WOW64_32KEY | KEY_WOW64_64KEY); }

}  // namespace

TRegistry::TRegistry(REGSAM access) : access_(access) {}

TRegistry::~TRegistry() { CloseKey(); }

TRegistry::TRegistry(TRegistry&& other) noexcept
    : rootKey_(other.rootKey_), currentKey_(std::exchange(other.currentKey_, nullptr)), access_(other.access_)
{
}

TRegistry& TRegistry::operator=(TRegistry&& other) noexcept
{
    if (this != &other) {
        CloseKey();
        rootKey_ = other.rootKey_;
        currentKey_ = std::exchange(other.currentKey_, nullptr);
        access_ = other.access_;
    }
    return *this;
}

void TRegistry::SetRootKey(HKEY root)
{
    CloseKey();
    rootKey_ = root;
}

HKEY TRegistry::BaseKey(const AnsiString& key, AnsiString& path) const
{
    if (!key.empty() && key[0] == '\\') {
        path = key.substr(1);
        return rootKey_;
    }
    path = key;
    return currentKey_ ? currentKey_ : rootKey_;
}

void TRegistry::Adopt(HKEY opened)
{
    CloseKey();
    currentKey_ = opened;
}

bool TRegistry::OpenKey(const AnsiString& key, bool canCreate)
{
    AnsiString path;
    const HKEY base = BaseKey(key, path);
    HKEY opened = nullptr;
    const LONG rc = canCreate ? RegCreateKeyExA(base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                                                nullptr, &opened, nullptr)
                              : RegOpenKeyExA(base, path.c_str(), 0, access_, &opened);
    if (rc != ERROR_SUCCESS)
        return false;
    Adopt(opened);
    return true;
}

bool TRegistry::OpenKeyReadOnly(const AnsiString& key)
{
    static const REGSAM masks[] = {KEY_READ, STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,
                                   KEY_QUERY_VALUE};
    AnsiString path;
    const HKEY base = BaseKey(key, path);
    for (REGSAM mask : masks) {
        HKEY opened = nullptr;
        if (RegOpenKeyExA(base, path.c_str(), 0, mask | ViewFlags(access_), &opened) == ERROR_SUCCESS) {
            Adopt(opened);
            return true;
        }
    }
    return false;
}

void TRegistry::CloseKey()
{
    if (currentKey_) {
        RegCloseKey(currentKey_);
        currentKey_ = nullptr;
    }
}

AnsiString TRegistry::ReadString(const AnsiString& name)
{
    DWORD type = 0;
    std::string data;
    const LONG rc = QueryValue(currentKey_, name, type, data);
    if (rc == ERROR_FILE_NOT_FOUND)
        return AnsiString();
    if (rc != ERROR_SUCCESS)
        RaiseGetFailed(name);
    // Empty data hold no text of any type, so they read as empty text whatever the type says.
    if (data.empty())
        return AnsiString();
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        RaiseInvalidType(name);
    return AnsiString(data.c_str());
}

int TRegistry::ReadInteger(const AnsiString& name)
{
    DWORD type = 0;
    std::string data;
    if (QueryValue(currentKey_, name, type, data) != ERROR_SUCCESS)
        RaiseGetFailed(name);
    if (type != REG_DWORD || data.size() > 4)
        RaiseInvalidType(name);
    std::uint32_t value = 0;
    std::memcpy(&value, data.data(), data.size());
    return static_cast<std::int32_t>(value);
}

TDateTime TRegistry::ReadDate(const AnsiString& name)
{
    DWORD type = 0;
    std::string data;
    if (QueryValue(currentKey_, name, type, data) != ERROR_SUCCESS)
        RaiseGetFailed(name);
    if (type != REG_BINARY || data.size() != sizeof(double))
        RaiseInvalidType(name);
    double value = 0;
    std::memcpy(&value, data.data(), sizeof value);
    return value;
}

void TRegistry::WriteDate(const AnsiString& name, TDateTime value)
{
    const double raw = value.Val;
    if (RegSetValueExA(currentKey_, name.c_str(), 0, REG_BINARY, reinterpret_cast<const BYTE*>(&raw),
                       sizeof raw) != ERROR_SUCCESS)
        Raise("Failed to set data for", name);
}
