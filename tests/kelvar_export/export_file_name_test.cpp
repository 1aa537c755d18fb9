// Which PROT_MD5 texts may name an export file.
#include <gtest/gtest.h>

#include "ExportFileName.h"

TEST(ExportFileName, NamesThatLeaveTheFolderAreRefused)
{
    for (const char* name : {"..\\..\\Windows\\win", "a/b", "/etc/x", "sub\\name", "C:name",
                             "name:stream", ".", "..", "\\", ":"})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
}

TEST(ExportFileName, OrdinaryNamesAreTakenAsTheyStand)
{
    for (const char* name : {"", "d41d8cd98f00b204e9800998ecf8427e", "...", ".x", "..x", "a.b",
                             " padded  ", "Protokol \xE8\xED" "slo"})
        EXPECT_TRUE(IsPlainFileName(name)) << name;
}
