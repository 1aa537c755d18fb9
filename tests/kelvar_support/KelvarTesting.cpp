#include "KelvarTesting.h"

#include "Application.h"
#include "Files.h"
#include "GuiTesting.h"
#include "Paths.h"
#include "PrintModulePaths.h"
#include "WinePaths.h"

#include <stdexcept>

namespace kelvartest {

namespace {

std::string ModelKey(Model model)
{
    return std::string("SOFTWARE\\Dumarel\\") + ModelName(model);
}

std::optional<std::string> Stored(const char* utf8)
{
    if (!utf8)
        return std::nullopt;
    return fixtures::win1250(utf8);
}

// The data folder ("...\Trevant\") and a model's folder in it, as the browser names them.
std::string DataFolder()
{
    return GetStoragePath("");
}

std::string ModelFolder(Model model)
{
    return GetStoragePath(ModelName(model));
}

// Removes a folder when it is empty; one with anything in it stays.
void RemoveIfEmpty(const std::string& folder)
{
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

const char* ModelName(Model model)
{
    return model == Model::KX40 ? "KX40" : "KX60";
}

std::string PrintModuleName(Model model)
{
    return std::string("Print") + ModelName(model) + "CZE";
}

std::string StoragePath(Model model)
{
    const std::string name = ModelName(model);
    const std::string path = GetStoragePath(name + "\\" + name + "Storage.gdb");
    if (path.empty())
        throw std::runtime_error("no common application data folder");
    return path;
}

std::string ExportFolder()
{
    const std::string folder = GetExportFolder();
    if (folder.empty())
        throw std::runtime_error("no documents folder");
    return folder;
}

std::string ExportFile(const std::string& name)
{
    return ExportFolder() + name + ".xml";
}

std::vector<std::string> ExportFolderEntries()
{
    return support::FolderEntries(ExportFolder());
}

// ---- rows ----

fixtures::Protocol MakeProtocol(int id, const char* protNum, const char* vin, const char* regPlate,
                                const char* vehMark, const char* vehModel, const char* ownName)
{
    fixtures::Protocol row;
    row.id = id;
    row.protNum = Stored(protNum);
    row.vin = Stored(vin);
    row.regPlate = Stored(regPlate);
    row.vehMark = Stored(vehMark);
    row.vehModel = Stored(vehModel);
    row.ownName = Stored(ownName);
    return row;
}

fixtures::Protocol ListedRow(int id, const char* protNum, const IBPP::Timestamp& checkDate, const char* vin,
                                  const char* ownName)
{
    fixtures::Protocol row = MakeProtocol(id, protNum, vin, nullptr, nullptr, nullptr, ownName);
    row.checkDate = checkDate;
    return row;
}

fixtures::Protocol DocumentRow(int id, std::optional<std::string> name, std::vector<std::string> segments)
{
    fixtures::Protocol row = MakeProtocol(id, "P-1", "TMBJJ7NE8J0123456");
    row.checkDate = IBPP::Timestamp(2024, 5, 6, 7, 8, 9);
    row.protMd5 = std::move(name);
    row.protData = std::move(segments);
    return row;
}

std::string Document(size_t length, unsigned seed)
{
    std::string text = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\r\n<protocol>\r\n";
    unsigned value = seed;
    while (text.size() < length) {
        value = value * 1103515245u + 12345u;
        text += "<measurement n=\"" + std::to_string(value % 997) + "\">CO " + std::to_string(value % 100) + "." +
                std::to_string(value % 7) + " % \xC8" "ist\xE1 hodnota</measurement>\r\n";
    }
    text.resize(length);
    return text;
}

// ---- StorageInPlace ----

StorageInPlace::StorageInPlace(Model model, const std::vector<fixtures::Protocol>& rows,
                               const Prepare& prepare)
    : path_(StoragePath(model))
{
    auto db = fixtures::StorageDatabase::create(path_);
    if (!rows.empty())
        db.add(rows);
    if (prepare)
        prepare(db);
    db.close();
}

StorageInPlace::~StorageInPlace()
{
    DeleteFileA(path_.c_str());
    RemoveIfEmpty(path_.substr(0, path_.rfind('\\')));
    RemoveIfEmpty(DataFolder());
}

// ---- RegistryPath ----

RegistryPath::RegistryPath(Model model) : model_(model)
{
    CreateKey();
}

RegistryPath::RegistryPath(Model model, const std::string& text, DWORD type) : model_(model)
{
    CreateKey();
    // Texts are stored with their zero byte, other types with exactly the bytes given.
    const bool isText = type == REG_SZ || type == REG_EXPAND_SZ;
    SetPath(type, text.c_str(), static_cast<DWORD>(text.size() + (isText ? 1 : 0)));
}

RegistryPath::RegistryPath(Model model, DWORD number) : model_(model)
{
    CreateKey();
    SetPath(REG_DWORD, &number, sizeof number);
}

void RegistryPath::CreateKey()
{
    for (const std::string& key : {std::string("SOFTWARE\\Dumarel"), ModelKey(model_)}) {
        HKEY opened = nullptr;
        DWORD disposition = 0;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &opened, &disposition) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create HKLM\\" + key);
        RegCloseKey(opened);
        if (disposition == REG_CREATED_NEW_KEY)
            madeKeys_.push_back(key);
    }
}

void RegistryPath::SetPath(DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ModelKey(model_).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS)
        throw std::runtime_error("cannot open HKLM\\" + ModelKey(model_));
    const LONG written = RegSetValueExA(key, "Path", 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
    if (written != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the Path value");
}

RegistryPath::~RegistryPath()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ModelKey(model_).c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "Path");
        RegCloseKey(key);
    }
    for (auto made = madeKeys_.rbegin(); made != madeKeys_.rend(); ++made)
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, made->c_str());
}

void ResetPrefixState()
{
    for (Model model : {Model::KX40, Model::KX60}) {
        DeleteFileA(StoragePath(model).c_str());
        RemoveIfEmpty(ModelFolder(model));
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, ModelKey(model).c_str());
    }
    RemoveIfEmpty(DataFolder());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Dumarel");  // only when nothing else is in it
    const std::string exports = ExportFolder();
    for (const std::string& name : ExportFolderEntries())
        support::RemoveTree(exports + name);
}

// ---- Window ----

Window::Window(ShowMode mode) : form_(new TfrmSearchMain(nullptr))
{
    if (mode == Shown) {
        form_->Show();
        guitest::Pump();
    }
}

Window::~Window()
{
    if (IsShowing())
        form_->Close();
    guitest::Pump(1);
    delete form_;
}

bool Window::IsShowing() const
{
    HWND handle = form_->Handle;
    return handle && IsWindowVisible(handle);
}

std::vector<std::string> Entries(TComboBox* box)
{
    std::vector<std::string> entries;
    const int count = box->Items->Count;
    for (int i = 0; i < count; ++i)
        entries.push_back(box->Items->Strings[i]);
    return entries;
}

const tglvData& Record(TListView* list, int line)
{
    return *static_cast<const tglvData*>(list->Items->Item[line]->Data);
}

// ---- BrowserTest ----

void BrowserTest::SetUp()
{
    ResetPrefixState();
    Application->Title = "Tabulon";
}

void BrowserTest::TearDown()
{
    Clear();
    ResetPrefixState();
}

const std::string& BrowserTest::Store(Model model, const std::vector<fixtures::Protocol>& rows,
                                      const StorageInPlace::Prepare& prepare)
{
    storage_.push_back(std::make_unique<StorageInPlace>(model, rows, prepare));
    return storage_.back()->Path();
}

void BrowserTest::UsePrintModules(Model model)
{
    UsePrintModules(model, support::WindowsPath(TABULON_PRINTMODULES_DIR));
}

void BrowserTest::UsePrintModules(Model model, const std::string& folder)
{
    paths_.push_back(std::make_unique<RegistryPath>(model, folder));
}

void BrowserTest::UsePathValue(Model model, DWORD number)
{
    paths_.push_back(std::make_unique<RegistryPath>(model, number));
}

Window& BrowserTest::Show(Window::ShowMode mode)
{
    window_.reset();
    window_ = std::make_unique<Window>(mode);
    return *window_;
}

Window& BrowserTest::ShowOn(const std::vector<fixtures::Protocol>& rows,
                            const StorageInPlace::Prepare& prepare)
{
    Store(Model::KX40, rows, prepare);
    return Show();
}

void BrowserTest::RunSearch()
{
    ASSERT_TRUE(window_) << "no window shown";
    ASSERT_TRUE(guitest::Click((*window_)->btnSearch));
}

void BrowserTest::Clear()
{
    // In the reverse order of the arrangement, as locals would go.
    window_.reset();
    while (!paths_.empty())
        paths_.pop_back();
    while (!storage_.empty())
        storage_.pop_back();
}

// ---- BrowserTestCatchingBoxes ----

void BrowserTestCatchingBoxes::TearDown()
{
    const size_t shown = boxes.Count();
    BrowserTest::TearDown();
    EXPECT_EQ(shown, boxes.Count()) << "a box while the window closed";
}

}  // namespace kelvartest
