#pragma once

// The kept screen image written, unchanged, as a bitmap file.

#include "platform/bitmap.h"
#include "platform/file_store.h"

#include <string>

namespace qx::bitmap {

// Builds the bitmap file image of `screen` against the display's palette and
// writes it to `path`. False when the image has no file format or any step of
// the writing failed; the caller deletes what was written.
bool WriteScreenBitmap(const Bitmap& screen, platform::FileStore& files, const std::string& path);

} // namespace qx::bitmap
