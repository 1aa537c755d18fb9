#include "ThreadLocale.h"

#include "FormatSettings.h"

#include <gtest/gtest.h>

namespace support {

ThreadLocale::ThreadLocale(LCID locale) : saved_(GetThreadLocale())
{
    EXPECT_TRUE(SetThreadLocale(locale)) << std::hex << locale;
    ReloadFormatSettings();
}

ThreadLocale::~ThreadLocale()
{
    SetThreadLocale(saved_);
    ReloadFormatSettings();
}

}  // namespace support
