// Test support for the browser's program tests: the real TfrmSearchMain in the test's own
// process under Wine, storage databases at their place in the data folder, the print modules'
// registry values, the export files, and a look at the window's private state.
//
// A case is arranged on a BrowserTest fixture, in this order:
//
//   class Startup : public kelvartest::BrowserTest {};
//   TEST_F(Startup, ...)
//   {
//       Store(Model::KX40, {kelvartest::MakeProtocol(1, u8"P-1", u8"VIN1")});  // rows in place
//       UsePrintModules(Model::KX40);          // its Path value: the substitute print modules
//       guitest::BoxCatcher boxes;             // before the window: FormShow may box
//       kelvartest::Window& window = Show();   // made and shown: FormShow has run
//       RunSearch();                           // "Vyhledat"
//       EXPECT_EQ(1, TfrmSearchMainTestAccess::currentModel(*window));
//   }
//
// ShowOn(rows) is Store(Model::KX40, rows) and Show(); BrowserTestCatchingBoxes holds the
// catcher itself, for cases that look at the boxes of start-up and the close.
//
// The fixture closes and destroys the window first, so that nothing holds the database files
// when they are removed. Tests that use these are SERIAL (fixed folders and keys of the prefix);
// kelvar_program_test() in KelvarTesting.cmake registers them so.
#pragma once

#include "BoxCatcher.h"
#include "ExportSeal.h"
#include "frmMain.h"

#include <StorageFixture.h>

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kelvartest {

enum class Model
{
    KX40,
    KX60,
};

}  // namespace kelvartest

// The window's private state and methods, for tests (the one friend of TfrmSearchMain).
struct TfrmSearchMainTestAccess
{
    using F = TfrmSearchMain;
    using Model = kelvartest::Model;
    static int32_t& sortColumn(F& f) { return f.sortColumn; }
    static uint8_t& sortState(F& f) { return f.sortState; }
    static IBPP::Database& dbKX40(F& f) { return f.dbKX40; }
    static IBPP::Database& dbKX60(F& f) { return f.dbKX60; }
    static IBPP::Database& currentDb(F& f) { return f.currentDb; }
    static uint8_t& currentModel(F& f) { return f.currentModel; }
    static HMODULE& hPrintKX40(F& f) { return f.hPrintKX40; }
    static HMODULE& hPrintKX60(F& f) { return f.hPrintKX60; }
    static TPrintProtocolProc& PrintProtocolKX40(F& f) { return f.PrintProtocolKX40; }
    static TPrintProtocolProc& PrintProtocolKX60(F& f) { return f.PrintProtocolKX60; }
    static TGetLastErrorMsgProc& GetLastErrorMsgKX40(F& f) { return f.GetLastErrorMsgKX40; }
    static TGetLastErrorMsgProc& GetLastErrorMsgKX60(F& f) { return f.GetLastErrorMsgKX60; }
    // The same of either model.
    static IBPP::Database& db(F& f, Model m) { return m == Model::KX40 ? f.dbKX40 : f.dbKX60; }
    static HMODULE& hPrint(F& f, Model m) { return m == Model::KX40 ? f.hPrintKX40 : f.hPrintKX60; }
    static TPrintProtocolProc& PrintProtocol(F& f, Model m)
    {
        return m == Model::KX40 ? f.PrintProtocolKX40 : f.PrintProtocolKX60;
    }
    static TGetLastErrorMsgProc& GetLastErrorMsg(F& f, Model m)
    {
        return m == Model::KX40 ? f.GetLastErrorMsgKX40 : f.GetLastErrorMsgKX60;
    }

    static void ClearProtocolList(F& f) { f.ClearProtocolList(); }
    static void FillSearchLists(F& f) { f.FillSearchLists(); }
    static void SearchProtocols(F& f) { f.SearchProtocols(); }
    static AnsiString ExportProtocol(F& f, int32_t id) { return f.ExportProtocol(id); }
};

namespace kelvartest {

// "KX40" or "KX60".
const char* ModelName(Model model);
// The file name of a model's print module without ".dll": "PrintKX40CZE".
std::string PrintModuleName(Model model);

// Where the browser looks for a model's storage database (its own GetStoragePath).
std::string StoragePath(Model model);
// Where the browser writes its export files (its own GetExportFolder, which makes it).
std::string ExportFolder();
// The export file of a protocol whose PROT_MD5 is `name`.
std::string ExportFile(const std::string& name);
// The names in the export folder: none after an export that must leave no file.
std::vector<std::string> ExportFolderEntries();

// ---- rows ----

// A row of EMISSIONS with an ID and the six search texts, written as UTF-8 (stored in
// Windows-1250); a null text is stored as NULL. No date, no document.
fixtures::Protocol MakeProtocol(int id, const char* protNum, const char* vin = nullptr,
                                const char* regPlate = nullptr, const char* vehMark = nullptr,
                                const char* vehModel = nullptr, const char* ownName = nullptr);
// A row with what the result list shows: the date, the number, the VIN and the owner.
fixtures::Protocol ListedRow(int id, const char* protNum, const IBPP::Timestamp& checkDate,
                                  const char* vin = nullptr, const char* ownName = nullptr);
// A row with a document: PROT_MD5 (the export file's name) and the stored PROT_DATA segments
// (fixtures::zlibSegments of a document, say), number P-1, a VIN and a date.
fixtures::Protocol DocumentRow(int id, std::optional<std::string> name, std::vector<std::string> segments);

// A protocol document of the given length, text as a station's documents are.
std::string Document(size_t length, unsigned seed = 1);
// Sealed(document), the export file of a document: ExportSeal.h.

// ---- the prefix ----

// A storage database at its place in the data folder while the object lives: made with the
// rows, then `prepare` (e.g. failAtRow) runs on it, then it is detached for the window. The
// file goes again at the end, and with it the folders it made.
class StorageInPlace
{
public:
    using Prepare = std::function<void(fixtures::StorageDatabase&)>;

    StorageInPlace(Model model, const std::vector<fixtures::Protocol>& rows,
                   const Prepare& prepare = nullptr);
    ~StorageInPlace();
    StorageInPlace(const StorageInPlace&) = delete;
    StorageInPlace& operator=(const StorageInPlace&) = delete;

    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// HKLM SOFTWARE\Dumarel\<model>\ while the object lives: with a text Path value (REG_SZ or
// REG_EXPAND_SZ, the bytes as given), a REG_DWORD Path, or the key alone. The value and the keys
// it made go again at the end.
class RegistryPath
{
public:
    explicit RegistryPath(Model model);  // the key without a Path value
    RegistryPath(Model model, const std::string& text, DWORD type = REG_SZ);
    RegistryPath(Model model, DWORD number);
    ~RegistryPath();
    RegistryPath(const RegistryPath&) = delete;
    RegistryPath& operator=(const RegistryPath&) = delete;

private:
    void CreateKey();
    void SetPath(DWORD type, const void* data, DWORD size);

    Model model_;
    std::vector<std::string> madeKeys_;  // from the outermost in
};

// Removes what a test may have left in the prefix: both storage databases (and their model
// folders when empty), the two models' registry keys and the export folder's entries.
void ResetPrefixState();

// ---- the window ----

// The browser's window, made by the test: shown in the constructor (FormShow runs, its boxes
// need a BoxCatcher alive), closed (unless it closed itself) and destroyed in the destructor.
class Window
{
public:
    enum ShowMode
    {
        Shown,
        NotShown,  // made only: the state after construction
    };

    explicit Window(ShowMode mode = Shown);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    TfrmSearchMain* operator->() const { return form_; }
    TfrmSearchMain& operator*() const { return *form_; }
    TfrmSearchMain* get() const { return form_; }

    // Whether the window is on the screen (false after it closed).
    bool IsShowing() const;

private:
    TfrmSearchMain* form_ = nullptr;
};

// The entries of a combo box's list, in order.
std::vector<std::string> Entries(TComboBox* box);
// The record a line of the result list keeps.
const tglvData& Record(TListView* list, int line);

// The fixture of the browser's tests: the prefix reset before and after each case, the
// application titled as the browser titles it, and the case arranged through its members.
class BrowserTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A model's storage database in place with the rows (see StorageInPlace); its path.
    const std::string& Store(Model model, const std::vector<fixtures::Protocol>& rows,
                             const StorageInPlace::Prepare& prepare = nullptr);
    // The model's Path value naming the folder of its print module: the substitute modules of
    // the build, or another folder (as Wine sees it, ending in a backslash).
    void UsePrintModules(Model model);
    void UsePrintModules(Model model, const std::string& folder);
    // A Path value that is no text.
    void UsePathValue(Model model, DWORD number);
    // The window made and shown (or only made) on what is arranged.
    Window& Show(Window::ShowMode mode = Window::Shown);
    // KX40's database with the rows, and the window shown on it (Store, then Show).
    Window& ShowOn(const std::vector<fixtures::Protocol>& rows,
                   const StorageInPlace::Prepare& prepare = nullptr);
    // Presses "Vyhledat" as the operator does.
    void RunSearch();
    // Closes and destroys the window, then removes the Path values and databases, so that the
    // case can be arranged anew.
    void Clear();

private:
    std::vector<std::unique_ptr<StorageInPlace>> storage_;
    std::vector<std::unique_ptr<RegistryPath>> paths_;
    std::unique_ptr<Window> window_;
};

// A BrowserTest that catches the boxes from before the window is made until after it is gone:
// `boxes` are those of the case. A box while the fixture closes the window fails the case.
class BrowserTestCatchingBoxes : public BrowserTest
{
protected:
    void TearDown() override;

    guitest::BoxCatcher boxes;
};

}  // namespace kelvartest
