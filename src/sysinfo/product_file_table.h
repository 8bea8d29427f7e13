#pragma once

// The built-in table of the environment's files and their short codes, used
// by the printed report's "Informations internes :" section.

#include <array>
#include <cstddef>

namespace qx::sysinfo {

struct ProductFileRow {
    const char* fileName; // 8.3, upper case
    const char* code;     // "Annn" for executables, "Bnn"/"Bnnn" for DLLs
};

inline constexpr std::size_t kProductFileRows = 167;

extern const std::array<ProductFileRow, kProductFileRows> ProductFileTable;

} // namespace qx::sysinfo
