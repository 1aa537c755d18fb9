#include "KelvarTesting.h"

#include "Application.h"
#include "GuiTesting.h"

#include <shlobj.h>

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

// Removes a folder when it is empty; one with anything in it stays.
void RemoveIfEmpty(const std::string& folder)
{
    RemoveDirectoryA(folder.c_str());
}

std::string ModelFolder(Model model)
{
    return DataFolder() + ModelName(model);
}

}  // namespace

const char* ModelName(Model model)
{
    return model == Model::KX40 ? "KX40" : "KX60";
}

std::string DataFolder()
{
    char folder[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, 0, folder) < 0)
        throw std::runtime_error("no common application data folder");
    return std::string(folder) + "\\Trevant\\";
}

std::string StoragePath(Model model)
{
    return ModelFolder(model) + "\\" + ModelName(model) + "Storage.gdb";
}

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
    HKEY key = nullptr;
    // Texts are stored with their zero byte, other types with exactly the bytes given.
    const bool isText = type == REG_SZ || type == REG_EXPAND_SZ;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ModelKey(model).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS ||
        RegSetValueExA(key, "Path", 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + (isText ? 1 : 0))) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the Path value");
    RegCloseKey(key);
}

RegistryPath::RegistryPath(Model model, DWORD number) : model_(model)
{
    CreateKey();
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ModelKey(model).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS ||
        RegSetValueExA(key, "Path", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof number) != ERROR_SUCCESS)
        throw std::runtime_error("cannot write the Path value");
    RegCloseKey(key);
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

}  // namespace kelvartest
