#pragma once

// SetSlotTime's rules, which do not depend on the system: which parts of a
// stamp are kept from the file, and which stamps the archive's DOS time
// stamps can hold. Each platform stores the resulting stamp.

#include "compress/platform/file_time.h"

namespace qx::compress {

// Sets the slot's last-write time to `stamp` (a valid date and time of the
// years 1980 to 2107), rounded down to the even second; false with the
// reason in LastFileError.
bool StoreSlotTime(FileSlot slot, const FileStamp& stamp);

} // namespace qx::compress
