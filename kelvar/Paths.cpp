#include "Paths.h"

#include "Folders.h"
#include "Registry.h"

#include <shlobj.h>
#include <windows.h>

namespace {

// One shell folder into a 260-byte buffer; false when the shell gives none.
bool ShellFolder(int csidl, AnsiString& folder)
{
    char buffer[MAX_PATH] = {};
    if (SHGetFolderPathA(nullptr, csidl, nullptr, 0, buffer) < 0)
        return false;
    folder = buffer;
    return true;
}

// The folder of a model's print module as the registry holds it (empty when missing), then the
// module's file name, with no separator added.
AnsiString PrintModulePath(const char* key, const char* moduleFile)
{
    AnsiString folder;
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    if (registry.OpenKeyReadOnly(key)) {
        folder = registry.ReadString("Path");
        registry.CloseKey();
    }
    return folder + moduleFile;
}

}  // namespace

AnsiString GetStoragePath(const AnsiString& relative)
{
    AnsiString folder;
    if (!ShellFolder(CSIDL_COMMON_APPDATA, folder))
        return AnsiString();
    return folder + "\\Trevant\\" + relative;
}

AnsiString GetExportFolder()
{
    AnsiString folder;
    if (!ShellFolder(CSIDL_PERSONAL | CSIDL_FLAG_CREATE, folder))
        return AnsiString();
    AnsiString exportFolder = folder + "\\Trevant\\";
    // A folder that cannot be made shows later, when the export file cannot be created.
    if (!DirectoryExists(exportFolder))
        ForceDirectories(exportFolder);
    return exportFolder;
}

AnsiString GetPrintModulePathKX40()
{
    return PrintModulePath("SOFTWARE\\Dumarel\\KX40\\", "PrintKX40CZE.dll");
}

AnsiString GetPrintModulePathKX60()
{
    return PrintModulePath("SOFTWARE\\Dumarel\\KX60\\", "PrintKX60CZE.dll");
}
