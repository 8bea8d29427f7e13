// The filter list of the save dialog as name filters.
#include "report/email/file_filter.h"

#include <gtest/gtest.h>

namespace qx::report {
namespace {

TEST(FileFilter, FilterListsBecomeNameFilters)
{
    using Filters = std::vector<std::string>;
    EXPECT_EQ(NameFiltersFromFilterList("Fichiers incident (*.QXR)|*.QXR||"), (Filters{"Fichiers incident (*.QXR)"}));
    EXPECT_EQ(NameFiltersFromFilterList("Images|*.bmp;*.png|Tous|*.*||"), (Filters{"Images (*.bmp *.png)", "Tous (*.*)"}));
    EXPECT_EQ(NameFiltersFromFilterList(""), Filters{});
    EXPECT_EQ(NameFiltersFromFilterList("Sans motif"), Filters{});
}

} // namespace
} // namespace qx::report
