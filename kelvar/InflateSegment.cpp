#include "InflateSegment.h"

#include <zlib.h>

int32_t InflateSegment(const void* source, int32_t sourceLength, void* destination,
                       int32_t destinationLength)
{
    if (sourceLength < 0 || destinationLength < 0)
        return -1;

    z_stream stream{};  // zero allocators select zlib's own memory functions
    stream.next_in = static_cast<Bytef*>(const_cast<void*>(source));
    stream.avail_in = static_cast<uInt>(sourceLength);
    stream.next_out = static_cast<Bytef*>(destination);
    stream.avail_out = static_cast<uInt>(destinationLength);

    // zlib checks the version text and the record size against its own, so both must describe
    // the zlib we are linked with (the record is twice as large in a 64-bit build).
    if (inflateInit_(&stream, ZLIB_VERSION, static_cast<int>(sizeof(z_stream))) != Z_OK)
        return -1;

    const int status = inflate(&stream, Z_FINISH);
    const int32_t produced = status == Z_STREAM_END ? static_cast<int32_t>(stream.total_out) : -1;
    inflateEnd(&stream);
    return produced;
}
