// The content of an export file, written as the stored segments of a protocol arrive: 16
// reserved bytes, each segment inflated and appended, then the seal (the MD5 digest of the
// document followed by the suffix "OSKEV") written over the reserved bytes. Portable: the file
// itself is the caller's, behind CExportSink.
#pragma once

#include "HashMD5.h"

#include <cstdint>

// Where the export file's bytes go (the Windows file in the browser).
class CExportSink {
public:
    virtual ~CExportSink() = default;
    // Writes the bytes at the current position; false unless every byte was written.
    virtual bool Write(const void* data, std::uint32_t length) = 0;
    // Moves the position back to the start of the file; false on failure.
    virtual bool Rewind() = 0;
};

class CExportWriter {
public:
    // The stored segments inflate to at most this many bytes each.
    static const int32_t SegmentCapacity = 1024;
    // Bytes at the head of the file that hold the digest.
    static const std::uint32_t SealLength = 16;

    explicit CExportWriter(CExportSink& sink) : sink_(sink) {}
    CExportWriter(const CExportWriter&) = delete;
    CExportWriter& operator=(const CExportWriter&) = delete;

    // Starts the digest and reserves the seal's place; false when the write fails.
    bool Begin();
    // Inflates one stored segment, appends it and adds it to the digest. False when the segment
    // does not inflate or the write fails: the file is then unfit to print.
    bool AddSegment(const void* segment, int32_t length);
    // Finishes the digest with the suffix and writes it over the reserved bytes; false when the
    // seek or the write fails.
    bool Seal();

    // Bytes of the document appended so far.
    std::uint64_t DocumentLength() const { return documentLength_; }

private:
    CExportSink& sink_;
    CHashMD5 md5_;
    Md5Context context_{};
    unsigned char inflated_[SegmentCapacity];
    std::uint64_t documentLength_ = 0;
};
