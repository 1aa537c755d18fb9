#include "ExportWriter.h"

#include "InflateSegment.h"

namespace {

// Enters the digest only; never written to the file.
const unsigned char sealSuffix[5] = {'O', 'S', 'K', 'E', 'V'};

} // namespace

bool CExportWriter::Begin()
{
    md5_.Init(context_);
    documentLength_ = 0;
    const unsigned char placeholder[SealLength] = {};
    return sink_.Write(placeholder, SealLength);
}

bool CExportWriter::AddSegment(const void* segment, int32_t length)
{
    const int32_t inflated = InflateSegment(segment, length, inflated_, SegmentCapacity);
    if (inflated < 0)
        return false;
    if (inflated == 0)
        return true;
    const auto count = static_cast<std::uint32_t>(inflated);
    if (!sink_.Write(inflated_, count))
        return false;
    md5_.Update(context_, inflated_, count);
    documentLength_ += count;
    return true;
}

bool CExportWriter::Seal()
{
    md5_.Update(context_, sealSuffix, sizeof sealSuffix);
    unsigned char digest[SealLength];
    md5_.Final(context_, digest);
    return sink_.Rewind() && sink_.Write(digest, SealLength);
}
