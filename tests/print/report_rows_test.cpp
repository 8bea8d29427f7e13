#include "print/report_rows.h"

#include "support/report_record_builder.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace qx::print {
namespace {

std::string Cp(std::string_view utf8)
{
    return text::Utf8ToCp1252(utf8);
}

std::tm Day(int year, int month, int day)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    return t;
}

TEST(ReportDate, DayAndMonthOnTwoDigitsYearOnFour)
{
    EXPECT_EQ(FormatReportDate(Day(2026, 3, 7)), "07/03/2026");
    EXPECT_EQ(FormatReportDate(Day(1999, 12, 31)), "31/12/1999");
}

TEST(HeaderRows, SixRowsWithDateSerialAndStoredNumber)
{
    CReportRecord record;
    record.m_identity.m_strName = "Dupont";
    record.m_identity.m_strCompany = Cp("Société Générale");
    record.m_identity.m_strSerial = "123456";
    const auto rows = HeaderRows(record, "07/03/2026", "0042");
    EXPECT_EQ(rows[0], Cp("Rapport Bêta Version à faxer au 01 47 20 55 50"));
    EXPECT_EQ(rows[1], Cp("Date    : 07/03/2026      N°série : 123456"));
    EXPECT_EQ(rows[2], Cp("Rapport n°0042"));
    EXPECT_EQ(rows[3], "Nom     : Dupont");
    EXPECT_EQ(rows[4], Cp("Société : Société Générale"));
    EXPECT_EQ(rows[5], "");
}

TEST(HeaderRows, ShortDateIsPaddedToTenCharacters)
{
    const auto rows = HeaderRows(CReportRecord{}, "1/3/26", "1");
    EXPECT_EQ(rows[1], Cp("Date    : 1/3/26          N°série : "));
}

TEST(SplitFieldRows, PiecesBetweenLineEnds)
{
    struct Case {
        std::string field;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"", {}},
        {"one line", {"one line"}},
        {"first\r\nsecond", {"first ", "second"}},
        {"para one\r\n\r\npara two", {"para one ", " ", "para two"}},
        {"a\n\n\nb", {"a", "b"}},
        {"\ntrailing\r\n", {"trailing "}},
        {"\r", {" "}},
        {"cr\rinside", {"cr ", "inside"}},
        {"Etape 1\rEtape 2\r\rEtape 3\r", {"Etape 1 ", "Etape 2 ", " ", "Etape 3 "}},
        {"lf\nthen crlf\r\nthen cr\rend", {"lf", "then crlf ", "then cr ", "end"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitFieldRows(c.field), c.rows) << c.field;
}

// Thirteen files the table knows: "Axx 5.50   " entries, six to a row.
std::map<std::string, std::string> KnownCodes(int count)
{
    std::map<std::string, std::string> codes;
    for (int i = 1; i <= count; ++i) codes["QXFILE" + std::to_string(i) + ".EXE"] = "A" + std::string(i < 10 ? "0" : "") + std::to_string(i);
    return codes;
}

std::string ListOf(int count)
{
    std::string list;
    for (int i = 1; i <= count; ++i) list += "QXFILE" + std::to_string(i) + ".EXE 5.50\r\n";
    return list;
}

TEST(ProductCodeRows, ThirteenKnownFilesGiveRowsOfSixSixAndOne)
{
    const auto rows = ProductCodeRows(ListOf(13), KnownCodes(13));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], "A01 5.50    A02 5.50    A03 5.50    A04 5.50    A05 5.50    A06 5.50    ");
    EXPECT_EQ(rows[0].size(), 72u);
    EXPECT_EQ(rows[1].substr(0, 12), "A07 5.50    ");
    EXPECT_EQ(rows[2], "A13 5.50    ");
}

TEST(ProductCodeRows, UnknownFilesAreLeftOutAndWidthsAreMinimums)
{
    const std::map<std::string, std::string> codes = {{"QXA.DLL", "B100"}, {"QXB.DLL", "B7"}};
    const std::string list = "NOTQX.DLL 1.0\r\nQXA.DLL 5.50.\r\nQXB.DLL 12345678\r\nQXA.DL 1\r\nQXB.DLL\r\n";
    const auto rows = ProductCodeRows(list, codes);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "B100 5.50.   B7  12345678  B7          ");
}

TEST(ProductCodeRows, NothingForAnEmptyListOrNoKnownFile)
{
    EXPECT_TRUE(ProductCodeRows("", KnownCodes(3)).empty());
    EXPECT_TRUE(ProductCodeRows("OTHER.EXE 1.0\r\n", KnownCodes(3)).empty());
    EXPECT_EQ(ProductCodeRows(ListOf(6), KnownCodes(6)).size(), 1u);
}

CReportRecord FullRecord()
{
    return test::ReportRecordBuilder()
        .Address("1 rue de la Paix", "75002", "Paris")
        .Phone("01 02 03 04 05")
        .Fax("01 02 03 04 06")
        .Email("test@example.fr")
        .Description("It broke.\r\n\r\nBadly.")
        .Steps("Click.")
        .Answers(-1, 1)
        .WindowsVersion("Linux 6.1")
        .Dll16("Aucune\r\n")
        .Modules32("QXRUN.EXE 5.50 1\r\nQXLIB.DLL 5.50 2\r\n")
        .ExeOnDisk("QXRUN.EXE 5.50\r\n")
        .DllOnDisk("QXLIB.DLL 5.50\r\nOTHER.DLL 1.0\r\n")
        .ProductCode("QXRUN.EXE", "A01")
        .ProductCode("QXLIB.DLL", "B01")
        .Build();
}

TEST(BodyRows, EveryRowInOrder)
{
    const std::string columns =
        "-Fichier                                                -Version        -Instances";
    const std::vector<std::string> expected = {
        "Adresse : 1 rue de la Paix",
        "          75002 - Paris",
        Cp("Tél     : 01 02 03 04 05"),
        "Fax     : 01 02 03 04 06",
        "e-mail  : test@example.fr",
        "",
        "Description de l'incident :",
        "It broke. ",
        " ",
        "Badly.",
        "",
        Cp("Mode opératoire pour reproduire cet incident : "),
        "Click.",
        "",
        "Commentaires : ",
        "",
        "",
        Cp("Version du système : Linux 6.1"),
        "Mode test  Orvane  : 32 bits",
        "",
        Cp("DLL 16 bits chargées :"),
        columns,
        "Aucune ",
        "",
        Cp("Modules 32 bits chargés :"),
        columns,
        "QXRUN.EXE 5.50 1 ",
        "QXLIB.DLL 5.50 2 ",
        "",
        "Informations internes :",
        "A01 5.50    ",
        "B01 5.50    ",
    };
    EXPECT_EQ(BodyRows(FullRecord()), expected);
    EXPECT_EQ(columns.size(), 82u);
}

TEST(BodyRows, AnswersByValue)
{
    struct Case {
        int reproducible;
        int testMode;
        std::string reproducibleRow;
        std::string testModeRow;
    };
    const Case cases[] = {
        {0, 0, "Incident reproductible  : Oui", "Mode test  Orvane  : 16 bits"},
        {1, 1, "Incident reproductible  : Non", "Mode test  Orvane  : 32 bits"},
        {2, 2, "Incident reproductible  : Ne sais pas", "Mode test  Orvane  : Ne sais pas"},
        {-1, -1, "", ""},
        {3, 7, "", ""},
    };
    for (const Case& c : cases) {
        CReportRecord r;
        r.m_nReproducible = c.reproducible;
        r.m_nTestMode = c.testMode;
        const auto rows = BodyRows(r);
        // Empty texts: the fixed rows only; the answers sit at positions 12 and 14.
        ASSERT_EQ(rows.size(), 23u);
        EXPECT_EQ(rows[12], c.reproducibleRow);
        EXPECT_EQ(rows[14], c.testModeRow);
    }
}

} // namespace
} // namespace qx::print
