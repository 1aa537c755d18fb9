// Inflation of one stored protocol segment: one complete zlib stream into a fixed buffer.
#pragma once

#include <cstdint>

// Inflates the zlib stream at source into destination. Returns the number of bytes produced
// (0 to destinationLength), or -1 when the stream is damaged, cut short or inflates to more
// than destinationLength. Bytes after the end of the stream are ignored; no state is kept.
int32_t InflateSegment(const void* source, int32_t sourceLength, void* destination,
                       int32_t destinationLength);
