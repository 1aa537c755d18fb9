// main of the GUI test programs: a desktop of the program's own, the application object set up
// as a program's WinMain does, and a guard that fails (instead of hanging) a test that raises a
// box nobody catches.
#include "Application.h"
#include "BoxCatcher.h"
#include "GuiTesting.h"

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    guitest::UseOwnDesktop();
    Application->Initialize();
    Application->Title = "Tabulon test";
    guitest::InstallStrayBoxGuard();
    int result = RUN_ALL_TESTS();
    std::fflush(stdout);
    return result;
}
