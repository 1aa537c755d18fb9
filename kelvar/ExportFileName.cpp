#include "ExportFileName.h"

bool IsPlainFileName(const std::string& name)
{
    return name.find_first_of("\\/:") == std::string::npos && name != "." && name != "..";
}
