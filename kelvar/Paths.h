// The paths the browser works with: its storage databases under the data folder, the export
// folder, and each model's print module as the registry names its folder.
#pragma once

#include "AnsiString.h"

// Common application data + "\Trevant\" + relative; empty when the shell gives no folder.
// Nothing is tested for existence or created.
AnsiString GetStoragePath(const AnsiString& relative);

// Documents + "\Trevant\" (trailing backslash), created with its parents when missing; empty
// when the shell gives no folder.
AnsiString GetExportFolder();

// HKLM SOFTWARE\Dumarel\<model>\ value Path followed directly by the module's file name; the
// bare file name when the key or the value is missing. A Path that is not text raises
// ERegistryException ("Invalid data type for 'Path'").
AnsiString GetPrintModulePathKX40();
AnsiString GetPrintModulePathKX60();
