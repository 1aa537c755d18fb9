// TRegistry: one open registry key at a time below a root key, with typed reads and writes.
//
// Key texts: a leading backslash makes the text a path from the root key (the backslash is
// dropped, the rest goes to the system as it stands); otherwise it is relative to the key that
// is open, or to the root key when none is. Opening a key closes the one open before; a failed
// open leaves it open.
//
// Failed reads raise ERegistryException: "Invalid data type for '<name>'" when the value has
// another type or size than asked, "Failed to get data for '<name>'" when it is missing or
// cannot be read. ReadString alone answers a missing value, or empty data, with empty text.
#pragma once

#include "AnsiString.h"
#include "DateTime.h"
#include "Exception.h"

#include <windows.h>

class TRegistry
{
public:
    // access: the mask that OpenKey asks for. The root key starts as HKEY_CURRENT_USER.
    explicit TRegistry(REGSAM access = KEY_ALL_ACCESS);
    ~TRegistry();
    TRegistry(TRegistry&& other) noexcept;
    TRegistry& operator=(TRegistry&& other) noexcept;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return rootKey_; }
    // Closes the open key, whose path belongs to the old root.
    void SetRootKey(HKEY root);
    REGSAM Access() const { return access_; }
    void SetAccess(REGSAM access) { access_ = access; }
    // The open key, or nullptr.
    HKEY CurrentKey() const { return currentKey_; }

    // Opens the key with the object's access; with canCreate it is created (non-volatile,
    // with every missing key above it) when missing. False when it could not be opened.
    bool OpenKey(const AnsiString& key, bool canCreate);
    // Opens an existing key for reading, never creating it: asks KEY_READ, then
    // STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, then KEY_QUERY_VALUE.
    bool OpenKeyReadOnly(const AnsiString& key);
    // Closes the open key (no flush).
    void CloseKey();

    // REG_SZ or REG_EXPAND_SZ up to the first zero byte, unexpanded; empty when missing or when
    // its data are empty, whatever their type.
    AnsiString ReadString(const AnsiString& name);
    // REG_DWORD whose data fit 4 bytes, as a signed number.
    int ReadInteger(const AnsiString& name);
    // REG_BINARY of exactly 8 bytes: a TDateTime as a little-endian double.
    TDateTime ReadDate(const AnsiString& name);
    // Writes REG_BINARY of 8 bytes, replacing a value of any type; raises ERegistryException
    // "Failed to set data for '<name>'" when it cannot.
    void WriteDate(const AnsiString& name, TDateTime value);

private:
    // The key a text is opened from and the path handed to the system.
    HKEY BaseKey(const AnsiString& key, AnsiString& path) const;
    void Adopt(HKEY opened);

    HKEY rootKey_ = HKEY_CURRENT_USER;
    HKEY currentKey_ = nullptr;
    REGSAM access_;
};
