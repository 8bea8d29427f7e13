#pragma once

// How testers reach the support team. Every text that names the fax number or
// the e-mail address is built from these two constants (UTF-8).

#include <string_view>

namespace qx::res {

inline constexpr std::string_view kSupportFax = "01 47 20 55 50";
inline constexpr std::string_view kSupportEmail = "beta@orvane.fr";

} // namespace qx::res
