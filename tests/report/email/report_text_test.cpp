// The report text to the byte: the example record, the answers, empty
// texts, and one write per piece.
#include "report/email/report_text.h"
#include "resources/support_contact.h"
#include "support/memory_file_store.h"
#include "support/report_record_builder.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

namespace qx::report {
namespace {

using text::Utf8ToCp1252;

CReportRecord ExampleRecord()
{
    return test::ReportRecordBuilder()
        .Name("Jean Dupont")
        .Company(Utf8ToCp1252("Société Générale d'Études"))
        .Address("12 rue des Lilas", "75011", "Paris")
        .Phone("01 43 55 12 12")
        .Description(Utf8ToCp1252("La fenêtre se ferme\r\nsans message."))
        .Steps("Ouvrir un projet puis F9.")
        .Answers(0, 1)
        .WindowsVersion("Windows NT 4.0 (Build 1381) Service Pack 6")
        .Dll16("KRNL386.EXE\r\nUSER.EXE\r\n")
        .Modules32("QXRUN32.EXE 5.50.0.12 (1)\r\n")
        .ExeOnDisk("QXEDIT.EXE 5.50J\r\n")
        .DllOnDisk("QXBASE.DLL 5.50J\r\nQXGRID.DLL 5.50J\r\n")
        .Build();
}

TEST(ReportText, ExampleRecordToTheByte)
{
    const std::string expected = Utf8ToCp1252(
        "\r\n\r\n"
        "Rapport Bêta Version à faxer au " + std::string(res::kSupportFax) + "\r\n"
        "\r\n"
        "Nom     : Jean Dupont\r\n"
        "Société : Société Générale d'Études\r\n"
        "Adresse : 12 rue des Lilas\r\n"
        "          75011 - Paris\r\n"
        "Tél     : 01 43 55 12 12\r\n"
        "Fax     : \r\n"
        "e-mail  : \r\n"
        "N°série : \r\n"
        "\r\n"
        "Description de l'incident :\r\n"
        "La fenêtre se ferme\r\n"
        "sans message.\r\n"
        "\r\n"
        "Mode opératoire pour reproduire cet incident : \r\n"
        "Ouvrir un projet puis F9.\r\n"
        "\r\n"
        "Commentaires : \r\n"
        "\r\n"
        "\r\n"
        "Incident reproductible  : Oui\r\n"
        "Version du système : Windows NT 4.0 (Build 1381) Service Pack 6\r\n"
        "Mode test  Orvane  : 32 bits\r\n"
        "\r\n"
        "DLL 16 bits chargées :\r\n"
        "KRNL386.EXE\r\n"
        "USER.EXE\r\n"
        "\r\n"
        "Modules 32 bits chargés :\r\n"
        "QXRUN32.EXE 5.50.0.12 (1)\r\n"
        "\r\n"
        "EXE Orvane sur disque :\r\n"
        "QXEDIT.EXE 5.50J\r\n"
        "\r\n"
        "DLL Orvane sur disque :\r\n"
        "QXBASE.DLL 5.50J\r\n"
        "QXGRID.DLL 5.50J\r\n");
    const std::string text = BuildReportText(ExampleRecord());
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text.find('\0'), std::string::npos);
    EXPECT_NE(text.find('\xEA'), std::string::npos) << "Windows-1252 ê";
}

struct AnswerCase {
    int reproducible;
    int testMode;
    const char* reproducibleText; // between "Version du système" and what precedes it
    const char* testModeText;     // between the version line and "\r\n\r\nDLL 16"
};

TEST(ReportText, AnswersAndNoAnswers)
{
    const AnswerCase cases[] = {
        {0, 0, "Incident reproductible  : Oui", "\r\nMode test  Orvane  : 16 bits"},
        {1, 1, "Incident reproductible  : Non", "\r\nMode test  Orvane  : 32 bits"},
        {2, 2, "Incident reproductible  : Ne sais pas", "\r\nMode test  Orvane  : Ne sais pas"},
        {-1, -1, "", ""},
        {3, 3, "", ""},
    };
    for (const AnswerCase& c : cases) {
        CReportRecord r;
        r.m_nReproducible = c.reproducible;
        r.m_nTestMode = c.testMode;
        r.m_strWindowsVersion = "V";
        const std::string text = BuildReportText(r);
        const std::string middle = Utf8ToCp1252("\r\n\r\n" + std::string(c.reproducibleText) + "\r\nVersion du système : V" +
                                                c.testModeText + "\r\n\r\nDLL 16 bits chargées :");
        EXPECT_NE(text.find(middle), std::string::npos) << c.reproducible << "/" << c.testMode;
        const auto pieces = BuildReportTextPieces(r);
        EXPECT_EQ(pieces[14].empty(), c.reproducible < 0 || c.reproducible > 2);
        EXPECT_EQ(pieces[16].empty(), c.testMode < 0 || c.testMode > 2);
    }
}

TEST(ReportText, EmptyIncidentTextsLeaveTheLabelsOnTheirLines)
{
    CReportRecord r;
    r.m_nReproducible = 2;
    const std::string text = BuildReportText(r);
    EXPECT_NE(text.find("Commentaires : \r\n\r\n\r\nIncident reproductible  : "), std::string::npos);
    EXPECT_NE(text.find(Utf8ToCp1252("Description de l'incident :\r\n\r\n\r\nMode opératoire")), std::string::npos);
    EXPECT_TRUE(text.ends_with("DLL Orvane sur disque :\r\n"));
    EXPECT_TRUE(text.starts_with("\r\n\r\nRapport B"));
}

TEST(ReportText, OneWritePerPieceOfExactlyItsLength)
{
    CReportRecord r = ExampleRecord();
    r.m_nTestMode = -1;
    test::MemoryFileStore store;
    const auto file = store.Open("report", platform::OpenMode::Append);
    ASSERT_TRUE(WriteReportText(*file, r));
    const auto pieces = BuildReportTextPieces(r);
    ASSERT_EQ(store.writeSizes.size(), kReportTextPieces);
    for (std::size_t i = 0; i < kReportTextPieces; ++i) EXPECT_EQ(store.writeSizes[i], pieces[i].size()) << "piece " << i + 1;
    EXPECT_EQ(store.writeSizes[16], 0u);
    const std::string text = BuildReportText(r);
    EXPECT_EQ(std::string(store.files["report"].begin(), store.files["report"].end()), text);
}

TEST(ReportText, AShortWriteFails)
{
    const std::size_t length = BuildReportText(ExampleRecord()).size();
    for (const std::size_t freeBytes : {std::size_t{0}, std::size_t{3}, std::size_t{4}, length / 2, length - 1}) {
        test::MemoryFileStore store;
        store.freeBytes = freeBytes;
        const auto file = store.Open("report", platform::OpenMode::Append);
        EXPECT_FALSE(WriteReportText(*file, ExampleRecord())) << freeBytes;
    }
}

} // namespace
} // namespace qx::report
