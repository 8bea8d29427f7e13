#pragma once

// The save dialog's filter list, written as the platform's file dialogs
// take it ("label|patterns|label|patterns||"), turned into name filters of
// the form "label (patterns)".

#include <string>
#include <string_view>
#include <vector>

namespace qx::report {

// One name filter per label and pattern pair; a label that already ends
// with its patterns in parentheses is kept as it is. Patterns separated by
// ";" are listed with spaces. Texts stay in the encoding they came in.
std::vector<std::string> NameFiltersFromFilterList(std::string_view filterList);

} // namespace qx::report
