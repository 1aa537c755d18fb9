#include "ExportFileName.h"

namespace {

// The name Windows looks up among its devices: the part before the first dot, without the
// blanks and dots that end it, in capitals.
std::string DeviceStem(const std::string& name)
{
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && (stem.back() == ' ' || stem.back() == '.'))
        stem.pop_back();
    for (char& c : stem)  // ASCII only: the bytes of other letters mean nothing to devices
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return stem;
}

// A digit of COMn and LPTn: 1-9, or the ANSI bytes of the superscripts 1, 2 and 3 (in code
// pages without them those bytes are letters, which no protocol name uses).
bool IsPortDigit(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (c >= '1' && c <= '9') || byte == 0xB9 || byte == 0xB2 || byte == 0xB3;
}

bool IsDeviceName(const std::string& name)
{
    const std::string stem = DeviceStem(name);
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || stem == "CONIN$"
        || stem == "CONOUT$")
        return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0)
        && IsPortDigit(stem[3]);
}

// Bytes below 32 belong in no file name; a NUL would also end the name that CreateFileA sees
// before its extension, or even before the rest of a device name.
bool HasControlByte(const std::string& name)
{
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 32)
            return true;
    return false;
}

}  // namespace

bool IsPlainFileName(const std::string& name)
{
    return name.find_first_of("\\/:") == std::string::npos && !HasControlByte(name) && name != "."
        && name != ".." && !IsDeviceName(name);
}
