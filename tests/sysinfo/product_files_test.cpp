// The product files on disk and the product file table.
#include "sysinfo/product_file_table.h"
#include "sysinfo/sysinfo.h"
#include "sysinfo_fixture.h"

#include "support/pe_writer.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using qx::sysinfo::ProductFileTable;

std::string List(qx::test::FakeSystem& system, const std::string& directory)
{
    std::string out = "before\r\n";
    qx::sysinfo::ListProductFiles(system.Services(), directory, "*.exe", out);
    return out;
}

TEST(ProductFiles, ListsFilesWithAVersionUpperCasedAndCutToFiveCharacters)
{
    qx::test::FakeSystem system;
    system.files.Add("/opt/orvane/orvane55.exe", qx::test::PeWithVersion("5.50.1"));
    system.files.Add("/opt/orvane/QxEdit.exe", qx::test::PeWithVersion("5.5b"));
    system.files.Add("/opt/orvane/noversion.exe", {'M', 'Z'});
    system.files.Add("/opt/orvane/emptyversion.exe", qx::test::PeWithVersion(""));
    // A version-looking text without a version resource is not a version.
    system.files.Add("/opt/orvane/text.exe", {'V', '5', '.', '5', '0', '\r', '\n'});

    // In directory order (here, the reader's path order), not sorted.
    const std::string expected = "before\r\nQXEDIT.EXE 5.5b\r\nORVANE55.EXE 5.50.\r\n";
    EXPECT_EQ(List(system, "/opt/orvane/"), expected);
    EXPECT_EQ(List(system, "/opt/orvane"), expected); // the missing "/" is added
}

TEST(ProductFiles, AMissingDirectoryLeavesTheTextUnchanged)
{
    qx::test::FakeSystem system;
    EXPECT_EQ(List(system, "/nowhere/"), "before\r\n");
}

TEST(ProductFileTable, HoldsSixtySevenExecutablesThenAHundredDlls)
{
    ASSERT_EQ(ProductFileTable.size(), 167u);
    int product = 0;
    for (std::size_t row = 0; row < ProductFileTable.size(); ++row) {
        const std::string name = ProductFileTable[row].fileName;
        const std::string code = ProductFileTable[row].code;
        const bool exe = row < 67;
        char expected[8];
        std::snprintf(expected, sizeof expected, exe ? "A%02zu" : "B%02zu", exe ? row + 1 : row - 66);
        EXPECT_EQ(code, expected) << row;
        EXPECT_TRUE(name.ends_with(exe ? ".EXE" : ".DLL")) << name;
        const auto dot = name.find('.');
        EXPECT_TRUE(dot >= 1 && dot <= 8 && name.size() - dot == 4) << name;
        for (const char c : name) EXPECT_FALSE(c >= 'a' && c <= 'z') << name;
        if (name.starts_with("QX")) ++product;
    }
    EXPECT_GT(product, 140);
    EXPECT_EQ(std::string(ProductFileTable.back().code), "B100");
}

TEST(ProductFileTable, LoadsOneHundredSixtySixNamesTheRepeatedOneWithItsLaterCode)
{
    CReportRecord record;
    qx::sysinfo::LoadProductCodes(record);

    EXPECT_EQ(record.m_mapProductCodes.size(), 166u);
    EXPECT_EQ(record.m_mapProductCodes.at("ORVANE55.EXE"), "A01");
    std::set<std::string> seen;
    std::string repeated;
    for (const auto& row : ProductFileTable)
        if (!seen.insert(row.fileName).second) repeated = row.fileName;
    ASSERT_TRUE(repeated.ends_with(".EXE"));
    EXPECT_EQ(record.m_mapProductCodes.at(repeated), "A67");
    EXPECT_EQ(record.m_mapProductCodes.at("QXRT32.DLL"), "B01");
}

} // namespace
