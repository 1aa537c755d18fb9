// MD5 message digest (RFC 1321) that seals the export file handed to a print module.
#pragma once

#include <cstdint>

// Working state of one digest; the caller owns it and passes it to every operation.
struct Md5Context {
    std::uint32_t count[2];      // bytes fed so far: low word, then the carries out of it
    std::uint32_t state[4];      // A, B, C, D
    unsigned char buffer[64];    // the first count[0] % 64 bytes: the incomplete block
};

// Stateless: every operation works only on the context and the buffers passed to it.
class CHashMD5 {
public:
    CHashMD5() {}
    ~CHashMD5() {}

    // Starts a digest: count zero, the RFC's initial state; the buffer is left as it is.
    void Init(Md5Context& context);
    // Feeds length bytes; whole blocks are transformed straight from the caller's data.
    void Update(Md5Context& context, const unsigned char* data, std::uint32_t length);
    // Pads, appends the bit length and writes the 16 raw digest bytes. Leaves the context
    // finished: a new digest needs Init again.
    void Final(Md5Context& context, unsigned char digest[16]);
    // The compression function over one 64-byte block; Update's workhorse.
    void Transform(Md5Context& context, const unsigned char block[64]);
};
