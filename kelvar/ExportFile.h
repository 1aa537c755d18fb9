// The export file while it is written: made with CreateFileA, removed again unless it was
// completed and kept, so that no partial protocol is left for a printer.
#pragma once

#include "AnsiString.h"
#include "ExportWriter.h"

#include <windows.h>

class CExportFile : public CExportSink {
public:
    CExportFile() = default;
    // Closes the file and deletes it unless Keep succeeded.
    ~CExportFile() override;
    CExportFile(CExportFile&& other) noexcept;
    CExportFile& operator=(CExportFile&& other) noexcept;
    CExportFile(const CExportFile&) = delete;
    CExportFile& operator=(const CExportFile&) = delete;

    // Creates the file, replacing one of that name; others may read it but not write it while
    // it is open. False when it cannot be made, or when the name opened a device instead.
    bool Create(const AnsiString& path);
    bool Write(const void* data, std::uint32_t length) override;
    bool Rewind() override;
    // Closes the complete file and keeps it; false (and the file deleted) when closing fails.
    bool Keep();

private:
    void Discard() noexcept;

    HANDLE handle_ = INVALID_HANDLE_VALUE;
    AnsiString path_;  // set while the file is ours to delete
};
