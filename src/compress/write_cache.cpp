#include "compress/write_cache.h"

namespace qx::compress {

bool WriteCache::PutAfterWrite(std::uint8_t byte)
{
    const bool written = WriteSlot(slot_, buffer_, fill_);
    buffer_[0] = byte;
    fill_ = 1;
    return written;
}

bool WriteCache::Flush()
{
    const FileSlot slot = slot_;
    slot_ = kNoSlot;
    const bool written = WriteSlot(slot, buffer_, fill_);
    fill_ = 0;
    return written;
}

} // namespace qx::compress
