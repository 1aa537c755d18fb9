#include "FolderPickerDriver.h"

#include "GuiTesting.h"

#include <commctrl.h>
#include <shlobj.h>

#include <cstring>

namespace guitest {

namespace {

HWND FolderTree(HWND dialog)
{
    return FindWindowExA(dialog, nullptr, "SysTreeView32", nullptr);
}

// A block of memory in the picker's process (this one or another), where the messages to the
// picker and its tree find the data they point at.
class PickerMemory
{
public:
    explicit PickerMemory(HWND picker)
    {
        DWORD id = 0;
        GetWindowThreadProcessId(picker, &id);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
        if (process_)
            address_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, Size, MEM_COMMIT, PAGE_READWRITE));
    }
    ~PickerMemory()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    PickerMemory(const PickerMemory&) = delete;
    PickerMemory& operator=(const PickerMemory&) = delete;

    bool Ready() const { return address_ != nullptr; }
    LPARAM At(size_t offset) const { return reinterpret_cast<LPARAM>(address_ + offset); }
    void Write(size_t offset, const void* data, size_t size)
    {
        WriteProcessMemory(process_, address_ + offset, data, size, nullptr);
    }
    void Read(size_t offset, void* data, size_t size) const
    {
        ReadProcessMemory(process_, address_ + offset, data, size, nullptr);
    }

    static const size_t Size = 4096;

private:
    HANDLE process_ = nullptr;
    char* address_ = nullptr;
};

// The text of the tree's selected item.
std::string SelectedItemText(PickerMemory& memory, HWND tree)
{
    const size_t itemAt = 1024;
    const size_t textAt = 2048;
    TVITEMA item = {};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = reinterpret_cast<char*>(memory.At(textAt));
    item.cchTextMax = 256;
    if (!item.hItem)
        return std::string();
    memory.Write(itemAt, &item, sizeof item);
    if (!SendMessageA(tree, TVM_GETITEMA, 0, memory.At(itemAt)))
        return std::string();
    char text[257] = {};
    memory.Read(textAt, text, 256);
    return text;
}

// How the tree shows a folder: by its name, a drive by a text with "(X:)" in it.
std::string ItemText(const std::string& folder)
{
    if (folder.size() == 3 && folder[1] == ':' && folder[2] == '\\')
        return "(" + folder.substr(0, 2) + ")";
    return folder.substr(folder.find_last_of('\\') + 1);
}

}  // namespace

bool IsFolderPicker(HWND dialog)
{
    char name[16] = {};
    GetClassNameA(dialog, name, sizeof name);
    return std::strcmp(name, "#32770") == 0 && FolderTree(dialog) != nullptr;
}

HWND WaitForFolderPicker(DWORD processId, DWORD milliseconds)
{
    struct Search
    {
        DWORD process;
        HWND found = nullptr;
        static BOOL CALLBACK Visit(HWND window, LPARAM self)
        {
            auto* s = reinterpret_cast<Search*>(self);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->process && IsWindowVisible(window) && IsFolderPicker(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        }
    };
    Search search{processId};
    PumpUntil([&] {
        EnumWindows(Search::Visit, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, milliseconds);
    return search.found;
}

bool SelectFolder(HWND picker, const std::string& folder)
{
    HWND tree = FolderTree(picker);
    PickerMemory memory(picker);
    if (!tree || !memory.Ready() || folder.size() >= 1024)
        return false;
    memory.Write(0, folder.c_str(), folder.size() + 1);
    const std::string expected = ItemText(folder);
    return PumpUntil([&] {
        SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, memory.At(0));
        return SelectedItemText(memory, tree).find(expected) != std::string::npos;
    }, 5000);
}

}  // namespace guitest
