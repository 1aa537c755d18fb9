// The class library's own exceptions. Only these reach the operator with their own text; any
// other exception is shown with one generic text (see TApplication::ShowException).
#pragma once

#include "AnsiString.h"

#include <exception>

class Exception : public std::exception
{
public:
    explicit Exception(const AnsiString& message) : Message(message) {}
    const char* what() const noexcept override { return Message.c_str(); }

    AnsiString Message;
};

// Raised by TRegistry when a value cannot be read as asked or cannot be written.
class ERegistryException : public Exception
{
public:
    using Exception::Exception;
};
