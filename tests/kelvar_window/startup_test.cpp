// Start-up (FormShow), the change of tab and closing, against real storage databases in the
// prefix's data folder and the substitute print modules.
#include "KelvarTesting.h"

#include "Application.h"
#include "BoxCatcher.h"
#include "GuiTesting.h"
#include "PrintModulePaths.h"
#include "WinePaths.h"

#include <gtest/gtest.h>

using guitest::Ansi;
using guitest::AnsiTexts;
using guitest::BoxIcon;
using kelvartest::MakeProtocol;
using kelvartest::Model;
using kelvartest::Window;
using A = TfrmSearchMainTestAccess;

namespace {

const char* const NoDatabasesText = u8"Nebyly nalezeny žádné datové soubory.\nAplikace bude ukončena.";
const char* const PathTypeText = "Invalid data type for 'Path'";

// The rows of the two databases differ in every text, so that the lists tell them apart.
std::vector<fixtures::Protocol> RowsKX40()
{
    return {MakeProtocol(1, u8"40-001", u8"VIN40A", u8"1A1 0001", u8"Škoda", u8"Octavia", u8"Jiří Novák"),
            MakeProtocol(2, u8"40-002", u8"VIN40B", u8"2B2 0002", u8"Tatra", u8"T815", u8"Eva Černá")};
}

std::vector<fixtures::Protocol> RowsKX60()
{
    return {MakeProtocol(7, u8"60-007", u8"VIN60A", u8"7C7 0007", u8"Zetor", u8"Proxima", u8"Petr Dvořák")};
}

bool Connected(const IBPP::Database& db)
{
    return db && db->Connected();
}

bool ModuleLoaded(Model model)
{
    return GetModuleHandleA((kelvartest::PrintModuleName(model) + ".dll").c_str()) != nullptr;
}

// What the window holds of a model's print module: "module", "print" and "error text" for the
// handle and the two entry points it has; "" for nothing.
std::string Held(TfrmSearchMain& f, Model model)
{
    std::string held;
    for (auto [has, what] : {std::pair{A::hPrint(f, model) != nullptr, "module"},
                             std::pair{A::PrintProtocol(f, model) != nullptr, "print"},
                             std::pair{A::GetLastErrorMsg(f, model) != nullptr, "error text"}})
        if (has)
            held += (held.empty() ? "" : " ") + std::string(what);
    return held;
}

class Startup : public kelvartest::BrowserTestCatchingBoxes
{
protected:
    // Both databases with their rows and both models' print modules registered.
    void StoreBothWithModules()
    {
        Store(Model::KX40, RowsKX40());
        Store(Model::KX60, RowsKX60());
        UsePrintModules(Model::KX40);
        UsePrintModules(Model::KX60);
    }

    // Checks that start-up showed the one box that says there are no databases.
    void ExpectNoDatabasesBox() const
    {
        EXPECT_TRUE(boxes.CaughtOnly("Informace", Ansi(NoDatabasesText), BoxIcon::Exclamation));
    }

    // Checks that the window holds the model's print module, loaded, with its own two entry points.
    static void ExpectBound(TfrmSearchMain& f, Model model)
    {
        const HMODULE module = A::hPrint(f, model);
        ASSERT_NE(nullptr, module);
        EXPECT_EQ(GetModuleHandleA((kelvartest::PrintModuleName(model) + ".dll").c_str()), module);
        const std::string name = kelvartest::ModelName(model);
        EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, ("_PrintProtocol" + name).c_str())),
                  reinterpret_cast<void*>(A::PrintProtocol(f, model)));
        EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(module, ("_GetLastErrorMsg" + name).c_str())),
                  reinterpret_cast<void*>(A::GetLastErrorMsg(f, model)));
    }

    // Checks that the window let go of everything: nothing attached, no module held or loaded.
    static void ExpectNothingHeld(TfrmSearchMain& f)
    {
        for (Model model : {Model::KX40, Model::KX60}) {
            SCOPED_TRACE(kelvartest::ModelName(model));
            EXPECT_FALSE(Connected(A::db(f, model)));
            EXPECT_EQ("", Held(f, model));
            EXPECT_FALSE(ModuleLoaded(model));
        }
    }

    // Checks the window after a change to the model's tab: that model and its database current,
    // the list emptied, "Tisk" disabled, and the numbers its search list shows.
    static void ExpectChangedTo(TfrmSearchMain& f, Model model, const std::vector<std::string>& numbers)
    {
        EXPECT_EQ(model == Model::KX40 ? 1 : 2, A::currentModel(f));
        EXPECT_TRUE(A::currentDb(f) == A::db(f, model));
        EXPECT_EQ(0, f.lvProtocols->Items->Count);
        EXPECT_FALSE(f.btnPrint->Enabled);
        EXPECT_EQ(numbers, kelvartest::Entries(f.cbProtNum));
    }

    // Lists a line, with a record, and enables "Tisk", as a search would have.
    static void ListALine(TfrmSearchMain& f)
    {
        f.lvProtocols->Items->Add()->Data = new tglvData;
        f.btnPrint->Enabled = true;
    }
};

}  // namespace

TEST_F(Startup, BothDatabasesOpenShowBothTabsWithKX40Current)
{
    StoreBothWithModules();
    Window& window = Show();
    TfrmSearchMain& f = *window;
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(window.IsShowing());

    EXPECT_EQ(0, f.pcApplications->TabIndexOf(f.shtKX40));
    EXPECT_EQ(1, f.pcApplications->TabIndexOf(f.shtKX60));
    EXPECT_EQ(f.shtKX40, f.pcApplications->ActivePage());
    EXPECT_EQ(1, A::currentModel(f));
    EXPECT_TRUE(A::currentDb(f) == A::dbKX40(f));
    EXPECT_TRUE(Connected(A::dbKX40(f)));
    EXPECT_TRUE(Connected(A::dbKX60(f)));
    EXPECT_EQ(AnsiTexts({u8"40-001", u8"40-002"}), kelvartest::Entries(f.cbProtNum));
    EXPECT_EQ(AnsiTexts({u8"Jiří Novák", u8"Eva Černá"}), kelvartest::Entries(f.cbOwner));

    // Both pickers show today and wait for their boxes.
    EXPECT_EQ(double(Date()), double(f.dpFrom->Date()));
    EXPECT_EQ(double(Date()), double(f.dpTo->Date()));
    EXPECT_FALSE(f.dpFrom->Enabled);
    EXPECT_FALSE(f.dpTo->Enabled);

    // Both print modules with both entry points.
    ExpectBound(f, Model::KX40);
    ExpectBound(f, Model::KX60);
}

TEST_F(Startup, OnlyKX60OpensHidesTheKX40Tab)
{
    Store(Model::KX60, RowsKX60());
    TfrmSearchMain& f = *Show();
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_FALSE(f.shtKX40->Visible);
    EXPECT_FALSE(f.shtKX40->TabVisible);
    EXPECT_EQ(-1, f.pcApplications->TabIndexOf(f.shtKX40));
    EXPECT_EQ(0, f.pcApplications->TabIndexOf(f.shtKX60));
    EXPECT_EQ(f.shtKX60, f.pcApplications->ActivePage());
    EXPECT_EQ(2, A::currentModel(f));
    EXPECT_TRUE(A::currentDb(f) == A::dbKX60(f));
    // The handle was made; only its connection failed.
    EXPECT_TRUE(A::dbKX40(f));
    EXPECT_FALSE(Connected(A::dbKX40(f)));
    EXPECT_EQ(AnsiTexts({u8"60-007"}), kelvartest::Entries(f.cbProtNum));
    // The KX40 tab cannot be picked.
    EXPECT_FALSE(guitest::PickTab(f.pcApplications, f.shtKX40));
}

TEST_F(Startup, OnlyKX40OpensHidesTheKX60Tab)
{
    TfrmSearchMain& f = *ShowOn(RowsKX40());
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(-1, f.pcApplications->TabIndexOf(f.shtKX60));
    EXPECT_FALSE(f.shtKX60->Visible);
    EXPECT_EQ(f.shtKX40, f.pcApplications->ActivePage());
    EXPECT_EQ(1, A::currentModel(f));
    EXPECT_TRUE(A::currentDb(f) == A::dbKX40(f));
    EXPECT_FALSE(Connected(A::dbKX60(f)));
}

TEST_F(Startup, NeitherDatabaseOpensShowsOneBoxAndCloses)
{
    // The print modules are registered, yet start-up ends before they are loaded.
    UsePrintModules(Model::KX40);
    UsePrintModules(Model::KX60);
    Window& window = Show();
    TfrmSearchMain& f = *window;
    ExpectNoDatabasesBox();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(std::vector<int>{IDOK}, boxes[0].Buttons);
    EXPECT_FALSE(window.IsShowing());

    EXPECT_EQ(0, A::currentModel(f));
    EXPECT_FALSE(A::currentDb(f));
    EXPECT_EQ(0, f.cbProtNum->Items->Count);
    ExpectNothingHeld(f);
}

TEST_F(Startup, FilesThatAreNoDatabasesCountAsMissing)
{
    fixtures::writeNonDatabase(kelvartest::StoragePath(Model::KX40));
    fixtures::writeNonDatabase(kelvartest::StoragePath(Model::KX60));
    TfrmSearchMain& f = *Show();
    ExpectNoDatabasesBox();
    // With the client there, both handles were made and failed only to connect.
    EXPECT_TRUE(A::dbKX40(f));
    EXPECT_TRUE(A::dbKX60(f));
    ExpectNothingHeld(f);
}

// Runs with the Firebird client library off the search path (ctest entry ..._no_client).
class NoClient : public Startup
{
};

TEST_F(NoClient, NoHandleIsMadeAndStartUpEndsAsWithoutDatabases)
{
    ASSERT_EQ(nullptr, LoadLibraryA("fbclient.dll")) << "the client is on the search path";
    // Files in place: only the missing client keeps them closed.
    fixtures::writeNonDatabase(kelvartest::StoragePath(Model::KX40));
    fixtures::writeNonDatabase(kelvartest::StoragePath(Model::KX60));
    Window& window = Show();
    ExpectNoDatabasesBox();
    EXPECT_FALSE(A::dbKX40(*window));
    EXPECT_FALSE(A::dbKX60(*window));
    EXPECT_FALSE(window.IsShowing());
}

TEST_F(Startup, PrintModulesLoadWhicheverDatabasesOpenedAndGoAtTheClose)
{
    Store(Model::KX60, RowsKX60());
    UsePrintModules(Model::KX40);
    UsePrintModules(Model::KX60);
    Window& window = Show();
    TfrmSearchMain& f = *window;
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ("module print error text", Held(f, Model::KX40));  // its database did not open
    EXPECT_EQ("module print error text", Held(f, Model::KX60));
    EXPECT_TRUE(guitest::Click(f.btnClose));
    EXPECT_FALSE(window.IsShowing());
    ExpectNothingHeld(f);
}

TEST_F(Startup, MissingPrintModulesAreSilent)
{
    // KX40: no key at all, so the bare file name is looked for and not found. KX60: a folder
    // that holds no KX60 module.
    UsePrintModules(Model::KX60, support::WindowsPath(TABULON_PRINTMODULES_NOERRTEXT_DIR));
    TfrmSearchMain& f = *ShowOn(RowsKX40());
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ("", Held(f, Model::KX40));
    EXPECT_EQ("", Held(f, Model::KX60));
    // The tab works all the same.
    EXPECT_EQ(1, A::currentModel(f));
    EXPECT_EQ(2, f.cbProtNum->Items->Count);
}

TEST_F(Startup, AModuleWithoutTheErrorTextEntryKeepsItsPrintEntry)
{
    UsePrintModules(Model::KX40, support::WindowsPath(TABULON_PRINTMODULES_NOERRTEXT_DIR));
    TfrmSearchMain& f = *ShowOn(RowsKX40());
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ("module print", Held(f, Model::KX40));
}

// The window's own close box, and "Ukončit": either leaves nothing attached or loaded.
class Closing : public Startup, public testing::WithParamInterface<bool>
{
};

TEST_P(Closing, LeavesNothingAttachedOrLoaded)
{
    StoreBothWithModules();
    Window& window = Show();
    TfrmSearchMain& f = *window;
    ASSERT_TRUE(Connected(A::dbKX40(f)));
    ASSERT_TRUE(ModuleLoaded(Model::KX60));
    // A listed line, whose record the close frees.
    TListItem* line = f.lvProtocols->Items->Add();
    line->Caption = "1.1.2024";
    line->Data = new tglvData;

    if (GetParam())
        EXPECT_TRUE(guitest::Click(f.btnClose));
    else
        SendMessageA(f.Handle, WM_SYSCOMMAND, SC_CLOSE, 0);
    guitest::Pump();
    EXPECT_FALSE(window.IsShowing());
    EXPECT_EQ(0, f.lvProtocols->Items->Count);
    ExpectNothingHeld(f);
    // The handles themselves stay until the window goes.
    EXPECT_TRUE(A::dbKX40(f));
    EXPECT_TRUE(A::currentDb(f));
    EXPECT_EQ(0u, boxes.Count());
}

INSTANTIATE_TEST_SUITE_P(Startup, Closing, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "ByTheCloseButton" : "ByTheWindowsCloseBox";
                         });

TEST_F(Startup, PrintModulesGoWhenTheWindowIsDestroyedWithoutAClose)
{
    Store(Model::KX40, RowsKX40());
    UsePrintModules(Model::KX40);
    UsePrintModules(Model::KX60);
    auto* form = new TfrmSearchMain(nullptr);
    form->Show();
    guitest::Pump();
    ASSERT_TRUE(ModuleLoaded(Model::KX40));
    ASSERT_TRUE(ModuleLoaded(Model::KX60));
    delete form;
    EXPECT_FALSE(ModuleLoaded(Model::KX40));
    EXPECT_FALSE(ModuleLoaded(Model::KX60));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(Startup, SwitchingTabsEmptiesTheListAndReloadsTheSearchLists)
{
    Store(Model::KX60, RowsKX60());
    TfrmSearchMain& f = *ShowOn(RowsKX40());

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ListALine(f);
        ASSERT_TRUE(guitest::PickTab(f.pcApplications, f.shtKX60));
        EXPECT_EQ(f.shtKX60, f.pcApplications->ActivePage());
        ExpectChangedTo(f, Model::KX60, AnsiTexts({u8"60-007"}));
        EXPECT_EQ(AnsiTexts({u8"Zetor"}), kelvartest::Entries(f.cbCarMark));

        ListALine(f);
        ASSERT_TRUE(guitest::PickTab(f.pcApplications, f.shtKX40));
        ExpectChangedTo(f, Model::KX40, AnsiTexts({u8"40-001", u8"40-002"}));
    }
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(Startup, ReturningToATabReadsItsDatabaseAgain)
{
    const std::string path40 = Store(Model::KX40, RowsKX40());
    Store(Model::KX60, RowsKX60());
    TfrmSearchMain& f = *Show();
    ASSERT_TRUE(guitest::PickTab(f.pcApplications, f.shtKX60));
    // Another program stores a protocol meanwhile.
    fixtures::execute(path40, "INSERT INTO EMISSIONS (ID, PROT_NUM) VALUES (9, '40-009')");
    ASSERT_TRUE(guitest::PickTab(f.pcApplications, f.shtKX40));
    EXPECT_EQ(AnsiTexts({u8"40-001", u8"40-002", u8"40-009"}), kelvartest::Entries(f.cbProtNum));
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(Startup, APathOfAnotherTypeForKX40StopsBeforeEitherModuleLoads)
{
    Store(Model::KX60, RowsKX60());
    UsePathValue(Model::KX40, 7);
    UsePrintModules(Model::KX60);
    Window& window = ShowOn(RowsKX40());
    TfrmSearchMain& f = *window;
    EXPECT_TRUE(boxes.CaughtOnly("Tabulon", PathTypeText, BoxIcon::Stop));
    // The window stays, with its tabs and model set and the lists loaded.
    EXPECT_TRUE(window.IsShowing());
    EXPECT_EQ(1, A::currentModel(f));
    EXPECT_EQ(2, f.cbProtNum->Items->Count);
    EXPECT_EQ(nullptr, A::hPrintKX40(f));
    EXPECT_EQ(nullptr, A::hPrintKX60(f));
    EXPECT_FALSE(ModuleLoaded(Model::KX60));
}

TEST_F(Startup, APathOfAnotherTypeForKX60LeavesTheKX40ModuleLoaded)
{
    UsePrintModules(Model::KX40);
    UsePathValue(Model::KX60, 7);
    TfrmSearchMain& f = *ShowOn(RowsKX40());
    EXPECT_TRUE(boxes.CaughtOnly("Tabulon", PathTypeText, BoxIcon::Stop));
    EXPECT_NE(nullptr, A::hPrintKX40(f));
    EXPECT_EQ(nullptr, A::hPrintKX60(f));
    EXPECT_TRUE(guitest::Click(f.btnClose));
    ExpectNothingHeld(f);
}

TEST_F(Startup, AFailingSearchListLoadEndsTheStartUpThere)
{
    std::vector<fixtures::Protocol> rows = RowsKX40();
    rows.push_back(MakeProtocol(3, u8"40-003", u8"VIN40C"));
    UsePrintModules(Model::KX40);
    Window& window = ShowOn(rows, [](fixtures::StorageDatabase& db) { db.failAtRow(3, "VIN"); });
    TfrmSearchMain& f = *window;
    // A database error is not the class library's: the generic text.
    EXPECT_TRUE(boxes.CaughtOnly("Tabulon", ForeignExceptionText, BoxIcon::Stop));
    EXPECT_TRUE(window.IsShowing());
    EXPECT_EQ(1, A::currentModel(f));
    EXPECT_EQ(AnsiTexts({u8"40-001", u8"40-002"}), kelvartest::Entries(f.cbProtNum));
    EXPECT_EQ(nullptr, A::hPrintKX40(f));
}

TEST_F(Startup, AFailingSearchListLoadOnATabChangeLeavesTheNewModelSet)
{
    std::vector<fixtures::Protocol> rows = RowsKX60();
    rows.push_back(MakeProtocol(8, u8"60-008", u8"VIN60B", nullptr, nullptr, nullptr, u8"Ota"));
    Store(Model::KX60, rows, [](fixtures::StorageDatabase& db) { db.failAtRow(8, "OWN_NAME"); });
    TfrmSearchMain& f = *ShowOn(RowsKX40());
    ASSERT_EQ(0u, boxes.Count());
    ListALine(f);

    ASSERT_TRUE(guitest::PickTab(f.pcApplications, f.shtKX60));
    EXPECT_TRUE(boxes.CaughtOnly("Tabulon", ForeignExceptionText, BoxIcon::Stop));
    ExpectChangedTo(f, Model::KX60, AnsiTexts({u8"60-007"}));
    EXPECT_EQ(AnsiTexts({u8"Petr Dvořák"}), kelvartest::Entries(f.cbOwner));
}
