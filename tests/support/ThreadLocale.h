// The thread's locale changed for a while, with the class library's format settings read again
// for it; both are restored at the end.
//
//   support::ThreadLocale british(MAKELCID(0x809, SORT_DEFAULT));
#pragma once

#include <windows.h>

namespace support {

class ThreadLocale
{
public:
    // Fails the test when the thread cannot take the locale.
    explicit ThreadLocale(LCID locale);
    ~ThreadLocale();
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

private:
    LCID saved_;
};

}  // namespace support
