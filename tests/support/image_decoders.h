#pragma once

// Standard image decoders run as black boxes: Python's PIL (Debian's
// python3-pil, through /usr/bin/python3) and ImageMagick's convert.

#include <cstdint>
#include <string>
#include <vector>

namespace qx::test {

struct DecodedPixels {
    bool ok = false;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // red, green, blue per pixel, top row first
    std::string diagnostics;       // what the decoder said when it failed
};

DecodedPixels DecodeWithPil(const std::string& path);
DecodedPixels DecodeWithImageMagick(const std::string& path);

// The whole standard output of `command` run through the shell.
std::string RunAndCapture(const std::string& command, int* exitStatus = nullptr);

} // namespace qx::test
