#include "report/email/file_filter.h"

#include <algorithm>

namespace qx::report {
namespace {

std::vector<std::string_view> SplitAtBars(std::string_view text)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t bar = text.find('|', start);
        const std::size_t end = bar == std::string_view::npos ? text.size() : bar;
        parts.push_back(text.substr(start, end - start));
        if (bar == std::string_view::npos) break;
        start = bar + 1;
    }
    return parts;
}

} // namespace

std::vector<std::string> NameFiltersFromFilterList(std::string_view filterList)
{
    const std::vector<std::string_view> parts = SplitAtBars(filterList);
    std::vector<std::string> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const std::string_view label = parts[i];
        if (label.empty()) break; // the "||" that ends the list
        std::string patterns(parts[i + 1]);
        std::replace(patterns.begin(), patterns.end(), ';', ' ');
        const std::string suffix = "(" + patterns + ")";
        filters.push_back(label.ends_with(suffix) ? std::string(label) : std::string(label) + " " + suffix);
    }
    return filters;
}

} // namespace qx::report
