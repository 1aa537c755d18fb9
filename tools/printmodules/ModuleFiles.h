// The files a substitute print module keeps beside itself, and whole-file reading and writing.
#pragma once

#include <string>

// Path of "<module name>.<suffix>" in the module's own folder, e.g. "...\PrintKX40CZE.calls.txt".
std::string besideModule(const char* suffix);

// Reads the whole file; false when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& bytes);
// Replaces the file with the bytes; false on any failure.
bool writeWholeFile(const std::string& path, const std::string& bytes);
// Adds the bytes at the end of the file, creating it when missing.
bool appendToFile(const std::string& path, const std::string& bytes);
