// Texts written in UTF-8 (the source files, the form descriptions) in the ANSI code page of the
// process, which is what every window and message box of the class library takes.
#pragma once

#include "AnsiString.h"

// A character the code page lacks becomes "?" (never a look-alike letter).
AnsiString Utf8ToAnsi(const char* utf8);
