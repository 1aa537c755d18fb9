// Which PROT_MD5 texts may name an export file.
#include <gtest/gtest.h>

#include "ExportFileName.h"

TEST(ExportFileName, NamesThatLeaveTheFolderAreRefused)
{
    for (const char* name : {"..\\..\\Windows\\win", "a/b", "/etc/x", "sub\\name", "C:name",
                             "name:stream", ".", "..", "\\", ":"})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
}

TEST(ExportFileName, DeviceNamesAreRefusedWhateverFollowsThem)
{
    for (const char* name : {"NUL", "nul", "NUL ", "NUL.txt", "nUl . .", "NUL..xml", "CON", "PRN",
                             "aux", "COM1", "com9", "LPT1", "lpt9.log", "COM\xB9", "LPT\xB2",
                             "COM\xB3.x", "CONIN$", "conout$", "CONOUT$.txt"})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
}

TEST(ExportFileName, OrdinaryNamesAreTakenAsTheyStand)
{
    for (const char* name : {"", "d41d8cd98f00b204e9800998ecf8427e", "...", ".x", "..x", "a.b",
                             " padded  ", "Protokol \xE8\xED" "slo", "NULL", "CONSOLE",
                             "COM", "COM0", "LPT10", "COM1x", "xNUL", "CONIN", "AUX$", ".NUL"})
        EXPECT_TRUE(IsPlainFileName(name)) << name;
}
