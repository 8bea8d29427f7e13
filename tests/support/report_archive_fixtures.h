#pragma once

// Report archives as the support team receives them, made by code: the
// report file (bitmap file, then text) packed by the library, with the member
// name a Windows program would have stored, as a plain copy, or damaged.

#include "platform/bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qx::test {

// The report file: the bitmap file of `screen` followed by `text` (Windows-1252).
std::vector<std::uint8_t> ReportFileBytes(const Bitmap& screen, const std::string& text);

// Packs `reportFile` with nfCompacte into `archivePath` (the source is a
// temporary file beside it); then, when `memberName` is not empty, writes it
// into the header's name field in place of the source path. False when the
// library did not make a packed archive.
bool MakePackedArchive(const std::vector<std::uint8_t>& reportFile, const std::string& archivePath,
                       const std::string& memberName = "");

// Writes `bytes` to `path`; false on failure.
bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadBytes(const std::string& path);

} // namespace qx::test
