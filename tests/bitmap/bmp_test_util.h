#pragma once

// Writing a bitmap into memory or into a file, for the bitmap file tests.

#include "bitmap/write_screen_bitmap.h"
#include "platform/posix/posix_file_store.h"
#include "support/memory_file_store.h"

#include <vector>

namespace qx::test {

inline std::vector<std::uint8_t> BitmapFileBytes(const Bitmap& bitmap, std::vector<std::size_t>* writeSizes = nullptr)
{
    MemoryFileStore store;
    if (!bitmap::WriteScreenBitmap(bitmap, store, "screen.bmp")) return {};
    if (writeSizes) *writeSizes = store.writeSizes;
    return store.files["screen.bmp"];
}

inline bool WriteBitmapFile(const Bitmap& bitmap, const std::string& path)
{
    platform::PosixFileStore files;
    return bitmap::WriteScreenBitmap(bitmap, files, path);
}

} // namespace qx::test
