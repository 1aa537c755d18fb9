// TRegistry against the prefix's real registry, each test on a key of its own below
// HKCU\Software\TabulonTests\ClasslibCore.
#include <gtest/gtest.h>

#include "DateTime.h"
#include "Exception.h"
#include "Registry.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

const char* const testsKey = "Software\\TabulonTests\\ClasslibCore";

bool KeyExists(const std::string& path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The message of the registry error a call raises, or "no error".
template <class F> std::string RegistryError(F call)
{
    try {
        call();
    } catch (const ERegistryException& e) {
        return e.Message;
    }
    return "no error";
}

}  // namespace

class Registry : public ::testing::Test
{
protected:
    void SetUp() override
    {
        path = std::string(testsKey) + "\\" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &raw, nullptr));
    }
    void TearDown() override
    {
        RegCloseKey(raw);
        RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    }

    // Seeds a value of any type and size, bypassing the class.
    void Set(const char* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(raw, name, 0, type, static_cast<const BYTE*>(data), size));
    }
    void SetText(const char* name, DWORD type, const std::string& text)
    {
        Set(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }
    void SetDword(const char* name, DWORD value) { Set(name, REG_DWORD, &value, sizeof value); }

    std::string Raw(const char* name, DWORD& type)
    {
        char buffer[64] = {};
        DWORD size = sizeof buffer;
        type = REG_NONE;
        if (RegQueryValueExA(raw, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS)
            return "missing";
        return std::string(buffer, size);
    }

    // The test's key as a path from the root, in the way the programs write theirs.
    std::string Absolute(const std::string& below = "") const { return "\\" + path + "\\" + below; }

    std::string path;
    HKEY raw = nullptr;
};

TEST_F(Registry, LeadingBackslashIsAPathFromTheRootOtherwiseFromTheOpenKey)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Absolute("EmissionsBackup\\"), true));  // trailing backslash too
    EXPECT_TRUE(KeyExists(path + "\\EmissionsBackup"));

    // Relative to the key now open.
    ASSERT_TRUE(reg.OpenKey("Inner\\Deeper", true));
    EXPECT_TRUE(KeyExists(path + "\\EmissionsBackup\\Inner\\Deeper"));

    // Absolute again although a key is open: not below the open key.
    ASSERT_TRUE(reg.OpenKey(Absolute("Other"), true));
    EXPECT_TRUE(KeyExists(path + "\\Other"));
    EXPECT_FALSE(KeyExists(path + "\\EmissionsBackup\\Inner\\Deeper\\" + path));

    // With no key open a relative text starts at the root.
    reg.CloseKey();
    ASSERT_TRUE(reg.OpenKey(path + "\\FromRoot", true));
    EXPECT_TRUE(KeyExists(path + "\\FromRoot"));
}

TEST_F(Registry, OpeningWithoutCreationFailsOnAMissingKeyAndKeepsTheOpenOne)
{
    SetDword("ShortPeriod", 7);
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Absolute(), false));
    EXPECT_FALSE(reg.OpenKey(Absolute("Missing\\"), false));
    EXPECT_FALSE(reg.OpenKey("Missing", false));
    EXPECT_FALSE(KeyExists(path + "\\Missing"));
    EXPECT_EQ(7, reg.ReadInteger("ShortPeriod"));
}

TEST_F(Registry, ReadOnlyOpeningNeverCreatesAndCannotWrite)
{
    TRegistry reg;  // KEY_ALL_ACCESS for OpenKey, yet read-only here
    EXPECT_FALSE(reg.OpenKeyReadOnly(Absolute("EmissionsBackup\\")));
    EXPECT_FALSE(KeyExists(path + "\\EmissionsBackup"));
    EXPECT_EQ(nullptr, reg.CurrentKey());

    SetDword("LongPeriod", 30);
    ASSERT_TRUE(reg.OpenKeyReadOnly(Absolute()));
    EXPECT_EQ(30, reg.ReadInteger("LongPeriod"));
    EXPECT_EQ("Failed to set data for 'LongPeriodLast'",
              RegistryError([&] { reg.WriteDate("LongPeriodLast", 43831.0); }));
    DWORD type;
    EXPECT_EQ("missing", Raw("LongPeriodLast", type));
}

TEST_F(Registry, ReadStringTakesPlainAndExpandableTextAsStored)
{
    SetText("Path", REG_SZ, "C:\\Program Files\\Dumarel\\KX40\\");
    SetText("Expand", REG_EXPAND_SZ, "%SystemRoot%\\Tools\\");
    SetText("Empty", REG_SZ, "");
    Set("NoData", REG_SZ, nullptr, 0);
    Set("Unterminated", REG_SZ, "abc", 3);
    Set("TwoTexts", REG_SZ, "first\0second", 13);
    SetText("Czech", REG_SZ, "\xC8" "esk\xE9");

    TRegistry reg(KEY_READ);
    reg.SetRootKey(HKEY_CURRENT_USER);
    ASSERT_TRUE(reg.OpenKeyReadOnly(Absolute()));
    EXPECT_EQ("C:\\Program Files\\Dumarel\\KX40\\", reg.ReadString("Path"));
    EXPECT_EQ("%SystemRoot%\\Tools\\", reg.ReadString("Expand"));
    EXPECT_EQ("", reg.ReadString("Empty"));
    EXPECT_EQ("", reg.ReadString("NoData"));
    EXPECT_EQ("", reg.ReadString("Missing"));
    EXPECT_EQ("abc", reg.ReadString("Unterminated"));
    EXPECT_EQ("first", reg.ReadString("TwoTexts"));
    EXPECT_EQ("\xC8" "esk\xE9", reg.ReadString("Czech"));
}

TEST_F(Registry, ReadStringRefusesEveryOtherType)
{
    SetDword("Path", 1);
    Set("Binary", REG_BINARY, "C:\\", 3);
    Set("Multi", REG_MULTI_SZ, "a\0b\0", 5);
    TRegistry reg(KEY_READ);
    ASSERT_TRUE(reg.OpenKeyReadOnly(Absolute()));
    EXPECT_EQ("Invalid data type for 'Path'", RegistryError([&] { reg.ReadString("Path"); }));
    EXPECT_EQ("Invalid data type for 'Binary'", RegistryError([&] { reg.ReadString("Binary"); }));
    EXPECT_EQ("Invalid data type for 'Multi'", RegistryError([&] { reg.ReadString("Multi"); }));
}

TEST_F(Registry, ReadStringGivesEmptyTextForEmptyDataOfAnyType)
{
    Set("Binary", REG_BINARY, nullptr, 0);
    Set("None", REG_NONE, nullptr, 0);
    Set("Dword", REG_DWORD, nullptr, 0);
    TRegistry reg(KEY_READ);
    ASSERT_TRUE(reg.OpenKeyReadOnly(Absolute()));
    EXPECT_EQ("", reg.ReadString("Binary"));
    EXPECT_EQ("", reg.ReadString("None"));
    EXPECT_EQ("", reg.ReadString("Dword"));
}

TEST_F(Registry, ReadIntegerOnlyFromAFourByteDword)
{
    SetDword("ShortPeriod", 7);
    SetDword("MinusOne", 0xFFFFFFFF);
    const unsigned char two[2] = {0x34, 0x12};
    Set("Short", REG_DWORD, two, 2);
    const unsigned char eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    Set("Long", REG_DWORD, eight, 8);
    SetText("Text", REG_SZ, "7");
    Set("Binary", REG_BINARY, eight, 4);
    Set("Qword", REG_QWORD, eight, 8);

    TRegistry reg(KEY_READ);
    ASSERT_TRUE(reg.OpenKeyReadOnly(Absolute()));
    EXPECT_EQ(7, reg.ReadInteger("ShortPeriod"));
    EXPECT_EQ(-1, reg.ReadInteger("MinusOne"));
    EXPECT_EQ(0x1234, reg.ReadInteger("Short"));
    for (const char* name : {"Long", "Text", "Binary", "Qword"})
        EXPECT_EQ(std::string("Invalid data type for '") + name + "'",
                  RegistryError([&] { reg.ReadInteger(name); }));
    EXPECT_EQ("Failed to get data for 'Missing'", RegistryError([&] { reg.ReadInteger("Missing"); }));
}

TEST_F(Registry, ReadDateOnlyFromEightBinaryBytes)
{
    const double day = 43831.0, half = 43831.5;
    Set("ShortPeriodLast", REG_BINARY, &day, 8);
    Set("WithTime", REG_BINARY, &half, 8);
    const unsigned char sixteen[16] = {0, 0, 0, 0, 0xE0, 0x66, 0xE5, 0x40};
    Set("Four", REG_BINARY, sixteen, 4);
    Set("Sixteen", REG_BINARY, sixteen, 16);
    Set("Qword", REG_QWORD, &day, 8);
    SetText("Text", REG_SZ, "43831");
    SetDword("Dword", 43831);

    TRegistry reg(KEY_READ);
    ASSERT_TRUE(reg.OpenKeyReadOnly(Absolute()));
    EXPECT_EQ(43831.0, reg.ReadDate("ShortPeriodLast"));
    EXPECT_EQ(43831.5, reg.ReadDate("WithTime"));
    for (const char* name : {"Four", "Sixteen", "Qword", "Text", "Dword"})
        EXPECT_EQ(std::string("Invalid data type for '") + name + "'", RegistryError([&] { reg.ReadDate(name); }));
    EXPECT_EQ("Failed to get data for 'Missing'", RegistryError([&] { reg.ReadDate("Missing"); }));
}

TEST_F(Registry, WriteDateStoresEightLittleEndianBytesOverAnyEarlierType)
{
    SetText("ShortPeriodLast", REG_SZ, "yesterday");
    SetDword("LongPeriodLast", 5);
    const unsigned char sixteen[16] = {};
    Set("Other", REG_BINARY, sixteen, 16);

    TRegistry reg(KEY_ALL_ACCESS);
    ASSERT_TRUE(reg.OpenKey(Absolute(), true));
    reg.WriteDate("ShortPeriodLast", EncodeDate(2020, 1, 1));
    reg.WriteDate("LongPeriodLast", EncodeDate(2020, 1, 1));
    reg.WriteDate("Other", 43831.25);
    reg.WriteDate("New", 43831.0);

    const std::string layout("\x00\x00\x00\x00\xE0\x66\xE5\x40", 8);
    for (const char* name : {"ShortPeriodLast", "LongPeriodLast", "New"}) {
        DWORD type;
        EXPECT_EQ(layout, Raw(name, type)) << name;
        EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type) << name;
    }
    EXPECT_EQ(43831.25, reg.ReadDate("Other"));
}

TEST_F(Registry, FailedWritesRaiseWithTheValueNameAsText)
{
    TRegistry closed;
    EXPECT_EQ("Failed to set data for 'ShortPeriodLast'",
              RegistryError([&] { closed.WriteDate("ShortPeriodLast", 1.0); }));
    TRegistry reg(KEY_READ);
    ASSERT_TRUE(reg.OpenKey(Absolute(), false));
    EXPECT_EQ("Failed to set data for '%s%n'", RegistryError([&] { reg.WriteDate("%s%n", 1.0); }));
}

TEST_F(Registry, TheOpenKeyMovesWithTheObject)
{
    SetDword("ShortPeriod", 3);
    TRegistry first;
    ASSERT_TRUE(first.OpenKey(Absolute(), false));
    TRegistry second(std::move(first));
    EXPECT_EQ(nullptr, first.CurrentKey());
    EXPECT_EQ(3, second.ReadInteger("ShortPeriod"));

    TRegistry third;
    ASSERT_TRUE(third.OpenKey(Absolute(), true));
    third = std::move(second);
    EXPECT_EQ(3, third.ReadInteger("ShortPeriod"));
    EXPECT_EQ("Failed to get data for 'ShortPeriod'", RegistryError([&] { second.ReadInteger("ShortPeriod"); }));
}
