// AnsiString: the programs' 8-bit text, in the ANSI code page of the process (1250 for Czech).
#pragma once

#include <string>

class AnsiString : public std::string
{
public:
    AnsiString() = default;
    AnsiString(const char* text) : std::string(text ? text : "") {}
    AnsiString(const char* text, size_t length) : std::string(text, length) {}
    AnsiString(const std::string& text) : std::string(text) {}
    AnsiString(std::string&& text) : std::string(std::move(text)) {}

    // Number of bytes (not characters: every character of the code page is one byte).
    int Length() const { return static_cast<int>(size()); }
    bool IsEmpty() const { return empty(); }
};
