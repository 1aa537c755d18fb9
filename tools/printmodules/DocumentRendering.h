// A readable text rendering of a protocol document, for seeing what was printed.
#pragma once

#include <string>

// An XML document becomes indented "name: value" lines (attributes as "@name: value" under
// their element); anything that is not XML is returned as it stands. Never fails.
std::string renderDocument(const std::string& document);
