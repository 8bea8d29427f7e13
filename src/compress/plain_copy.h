#pragma once

// The extraction of a plain-copy archive: its bytes, copied verbatim.

namespace qx::compress {

// Copies `archivePath` over the existing file `destination` and cuts the
// destination to the copied length. Equal paths (letter case ignored) need
// no copy. False when a file cannot be opened, a read fails, a write is
// short or the cut fails.
bool CopyPlainArchive(const char* archivePath, const char* destination);

} // namespace qx::compress
