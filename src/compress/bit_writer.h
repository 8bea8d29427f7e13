#pragma once

// The compressor's bit writer: packs codes into bytes, most significant bit
// first, and decides on every byte whether packing still pays.
//
// The packing rule: a data byte is written only while the data written so
// far plus the 283-byte header block stays below the number of source bytes
// read so far. The first byte that breaks it sets `unpackable` instead, and
// from then on nothing more is written: the member becomes a plain copy.
// The rule compares with the input read (the compressor reads ahead), not
// with the input coded.

#include <cstdint>

#include "compress/archive_format.h"
#include "compress/write_cache.h"

namespace qx::compress {

struct BitWriter {
    std::uint32_t bytesRead;    // source bytes read so far
    std::uint32_t bytesWritten; // data bytes written after the header
    bool unpackable;
    bool writeFailed; // a data byte could not be written
    std::uint8_t pendingByte;   // filled from its top bit down
    unsigned freeBits;          // free bits of pendingByte, 1 to 8
    WriteCache cache;

    // Empties the pending byte.
    void Start()
    {
        pendingByte = 0;
        freeBits = 8;
    }

    // Sends the low `n` bits of `x` (n from 0 to 16), the highest first;
    // x holds no bit above them.
    void PutBits(unsigned n, unsigned x)
    {
        if (n < freeBits) {
            freeBits -= n;
            pendingByte = static_cast<std::uint8_t>(pendingByte | (x << freeBits));
            return;
        }
        PutBitsAcross(n, x);
    }

private:
    // The pending byte is complete (and possibly a second one).
    void PutBitsAcross(unsigned n, unsigned x)
    {
        if (unpackable) return; // nothing is written any more
        n -= freeBits;
        PutByte(static_cast<std::uint8_t>(pendingByte | (x >> n)));
        if (n < 8) {
            pendingByte = static_cast<std::uint8_t>(x << (8 - n));
            freeBits = 8 - n;
            return;
        }
        PutByte(static_cast<std::uint8_t>(x >> (n - 8)));
        pendingByte = static_cast<std::uint8_t>(x << (16 - n));
        freeBits = 16 - n;
    }

    void PutByte(std::uint8_t byte)
    {
        if (bytesWritten + static_cast<std::uint32_t>(kHeaderSize) < bytesRead) {
            if (!cache.Put(byte)) writeFailed = true;
            ++bytesWritten;
        } else {
            unpackable = true;
        }
    }
};

} // namespace qx::compress
