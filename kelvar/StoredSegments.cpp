// The stored segments of a PROT_DATA blob, read one at a time into the export writer.
#include "StoredSegments.h"

#include <cstddef>
#include <vector>

bool AppendStoredSegments(IBPP::Blob& blob, int largest, int segments, CExportWriter& writer)
{
    std::vector<unsigned char> segment(largest > 0 ? static_cast<std::size_t>(largest) : 0);
    int read = 0;
    do {
        const int length = blob->Read(segment.data(), largest);
        if (!writer.AddSegment(segment.data(), length))
            return false;
    } while (++read < segments);
    return true;
}
