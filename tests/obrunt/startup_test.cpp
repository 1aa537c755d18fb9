// obrunt.exe as a process: what a start does for each state of the schedule.
#include "ObruntTesting.h"

#include "DateFormat.h"
#include "DateTime.h"
#include "FolderPickerDriver.h"
#include "GuiTesting.h"
#include "ProgramProcess.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace obtest;
using guitest::Ansi;
using guitest::FindVisibleChild;

namespace {

class Startup : public PrefixStateTest
{
protected:
    void SetUp() override
    {
        PrefixStateTest::SetUp();
        PutBothDatabases();
    }

    static void Schedule(bool shortDue, bool longDue)
    {
        SetDword("ShortPeriod", 1);
        SetDword("LongPeriod", 30);
        SetDay("ShortPeriodLast", shortDue ? Today() - 1 : Today());
        SetDay("LongPeriodLast", longDue ? Today() - 30 : Today() - 29);
    }
    static std::string RotationCopy(int model)
    {
        return RotationFolder(FormatDateTime("ddd", Date())) + (model == 0 ? "\\KX40Storage.GDB" : "\\KX60Storage.GDB");
    }
    static std::string Caption() { return Ansi(u8"Upozornění"); }
};

}  // namespace

TEST_F(Startup, NothingDueEndsAtOnceWithoutAWindow)
{
    Schedule(false, false);
    const double shortBefore = RecordedDay("ShortPeriodLast");
    guitest::ProgramProcess obrunt(OBRUNT_EXE);
    EXPECT_EQ(0, obrunt.WaitForExit(20000));
    std::printf("obrunt.exe with nothing due ended after %lu ms\n", obrunt.Elapsed());
    EXPECT_EQ(0, obrunt.WindowsCreated());
    EXPECT_FALSE(FolderExists(DataFolder() + "\\Backup"));
    EXPECT_EQ(shortBefore, RecordedDay("ShortPeriodLast"));
}

TEST_F(Startup, OnlyTheShortPeriodDueCopiesSilently)
{
    Schedule(true, false);
    guitest::ProgramProcess obrunt(OBRUNT_EXE);
    EXPECT_EQ(0, obrunt.WaitForExit(20000));
    EXPECT_EQ(0, obrunt.WindowsCreated());
    EXPECT_TRUE(ReadFile(RotationCopy(0)) == SampleDatabase(0));
    EXPECT_TRUE(ReadFile(RotationCopy(1)) == SampleDatabase(1));
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));
    EXPECT_EQ(Today() - 29, RecordedDay("LongPeriodLast"));
}

TEST_F(Startup, OnlyTheLongPeriodDueOpensTheRequestPageAndNeEndsTheProgram)
{
    Schedule(false, true);
    guitest::ProgramProcess obrunt(OBRUNT_EXE);
    HWND window = obrunt.WaitForWindow(Caption());
    ASSERT_NE(nullptr, window);
    EXPECT_GT(obrunt.WindowsCreated(), 0);
    EXPECT_NE(nullptr, FindVisibleChild(window, Ansi(u8"Je vhodné provést zálohu dat emisních zařízení.")));
    EXPECT_EQ(nullptr, FindVisibleChild(window, Ansi(u8"Zálohování úspěšně dokončeno")));
    EXPECT_FALSE(FolderExists(DataFolder() + "\\Backup"));

    HWND no = FindVisibleChild(window, "Ne");
    ASSERT_NE(nullptr, no);
    PostMessageA(no, BM_CLICK, 0, 0);
    EXPECT_EQ(0, obrunt.WaitForExit(20000));
    EXPECT_EQ(Today() - 30, RecordedDay("LongPeriodLast"));
}

TEST_F(Startup, BothDueCopiesFirstThenAsksAndTheCloseBoxEndsTheProgram)
{
    Schedule(true, true);
    guitest::ProgramProcess obrunt(OBRUNT_EXE);
    HWND window = obrunt.WaitForWindow(Caption());
    ASSERT_NE(nullptr, window);
    // The short backup is done before the window exists.
    EXPECT_TRUE(ReadFile(RotationCopy(0)) == SampleDatabase(0));
    EXPECT_TRUE(ReadFile(RotationCopy(1)) == SampleDatabase(1));
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));
    EXPECT_NE(nullptr, FindVisibleChild(window, "Ano"));

    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0, obrunt.WaitForExit(20000));
}

TEST_F(Startup, WithoutAScheduleTheOperatorBacksUpThroughTheWindow)
{
    ScratchFolder target("startup");
    guitest::ProgramProcess obrunt(OBRUNT_EXE);
    HWND window = obrunt.WaitForWindow(Caption());
    ASSERT_NE(nullptr, window);
    HWND yes = FindVisibleChild(window, "Ano");
    ASSERT_NE(nullptr, yes);
    PostMessageA(yes, BM_CLICK, 0, 0);

    // The picker of the other process, worked as a click in its tree would.
    HWND picker = guitest::WaitForFolderPicker(obrunt.Id());
    ASSERT_NE(nullptr, picker);
    EXPECT_EQ(nullptr, GetWindow(picker, GW_OWNER));
    ASSERT_TRUE(guitest::SelectFolder(picker, target.Path()));
    guitest::PressBoxButton(picker, IDOK);

    HWND done = FindVisibleChild(window, Ansi(u8"Ukončit"), 10000);
    ASSERT_NE(nullptr, done);
    EXPECT_NE(nullptr, FindVisibleChild(window, Ansi(u8"Zálohování úspěšně dokončeno")));
    const std::string dated = target.Path() + "\\" + std::string(FormatDateTime("yyyy-mm-dd", Date()));
    EXPECT_TRUE(ReadFile(dated + "\\KX40Storage.GDB") == SampleDatabase(0));
    EXPECT_TRUE(ReadFile(dated + "\\KX60Storage.GDB") == SampleDatabase(1));
    EXPECT_EQ(Today(), RecordedDay("LongPeriodLast"));
    EXPECT_EQ(Today(), RecordedDay("ShortPeriodLast"));

    PostMessageA(done, BM_CLICK, 0, 0);
    EXPECT_EQ(0, obrunt.WaitForExit(20000));
}
