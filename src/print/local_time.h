#pragma once

// The clock the page header reads its date from, on a real machine.

#include <ctime>

namespace qx::print {

// The current local time.
std::tm LocalTimeNow();

} // namespace qx::print
