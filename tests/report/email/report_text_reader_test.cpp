// The report text read back: every record the E-mail command can write comes
// back field for field, and texts that are not report texts are refused.
#include "report/email/report_text.h"
#include "report/email/report_text_reader.h"
#include "support/report_record_builder.h"

#include <gtest/gtest.h>

namespace qx::report {
namespace {

void ExpectSameText(const CReportRecord& got, const CReportRecord& want)
{
    EXPECT_EQ(got.m_identity, want.m_identity);
    EXPECT_EQ(got.m_strDescription, want.m_strDescription);
    EXPECT_EQ(got.m_strSteps, want.m_strSteps);
    EXPECT_EQ(got.m_strComments, want.m_strComments);
    EXPECT_EQ(got.m_nReproducible, want.m_nReproducible);
    EXPECT_EQ(got.m_nTestMode, want.m_nTestMode);
    EXPECT_EQ(got.m_strWindowsVersion, want.m_strWindowsVersion);
    EXPECT_EQ(got.m_strDll16, want.m_strDll16);
    EXPECT_EQ(got.m_strModules32, want.m_strModules32);
    EXPECT_EQ(got.m_strExeOnDisk, want.m_strExeOnDisk);
    EXPECT_EQ(got.m_strDllOnDisk, want.m_strDllOnDisk);
}

test::ReportRecordBuilder Full()
{
    return test::ReportRecordBuilder()
        .Name("Jean Dupont")
        .Company("Soci\xE9t\xE9 d'\xE9tudes")
        .Address("12 rue des Lilas", "75011", "Paris - Bastille")
        .Phone("01 02 03 04 05")
        .Fax("01 02 03 04 06")
        .Email("jean@example.fr")
        .Serial("QX 12 34")
        .Description("Plantage\r\n\r\nau second paragraphe")
        .Steps("Ouvrir le projet")
        .Comments("Rien d'autre\r\n")
        .Answers(0, 1)
        .WindowsVersion("Linux 6.1 (Debian 12)")
        .Dll16("Aucune")
        .Modules32("-Fichier    -Version\r\nQXRUN32.EXE  5.50J  1\r\n")
        .ExeOnDisk("QXEDIT.EXE 5.50J\r\nQXRUN32.EXE 5.50J\r\n")
        .DllOnDisk("QXBASE.DLL 5.50J\r\n");
}

TEST(ReportTextReader, WrittenRecordsComeBack)
{
    const struct {
        const char* what;
        CReportRecord record;
    } cases[] = {
        {"every field", Full().Build()},
        {"an empty record", test::ReportRecordBuilder().Build()},
        {"no answers", Full().Answers(-1, -1).Build()},
        {"don't know twice", Full().Answers(2, 2).Build()},
        {"16 bits, not reproducible", Full().Answers(1, 0).Build()},
        {"texts that look like labels", Full()
                                            .Description("Commentaires : \r\nDLL 16 bits charg\xE9" "es :")
                                            .Steps("Incident reproductible  : Oui")
                                            .Comments("Version du syst\xE8me : ")
                                            .Build()},
        {"empty lists", Full().Dll16("").Modules32("").ExeOnDisk("").DllOnDisk("").Build()},
        {"lists without a last line end", Full().DllOnDisk("QXBASE.DLL 5.50J").Build()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<CReportRecord> parsed = ParseReportText(BuildReportText(c.record));
        ASSERT_TRUE(parsed.has_value());
        ExpectSameText(*parsed, c.record);
        EXPECT_TRUE(parsed->m_mapProductCodes.empty());
    }
}

TEST(ReportTextReader, OtherTextsAreRefused)
{
    const std::string good = BuildReportText(Full().Build());
    const auto without = [&good](std::string_view part) {
        std::string text = good;
        text.erase(text.find(part), part.size());
        return text;
    };
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"nothing", ""},
        {"plain text", "Bonjour\r\n"},
        {"no opening blank line", good.substr(4)},
        {"cut inside the identity", good.substr(0, good.find("Adresse"))},
        {"cut before the lists", good.substr(0, good.find("\r\n\r\nDLL 16"))},
        {"no town separator", [&] {
             std::string text = good;
             const std::string place = "75011 - Paris - Bastille";
             return text.replace(text.find(place), place.size(), "75011 Paris");
         }()},
        {"no description label", without("Description de l'incident :")},
        {"no steps label", without("Mode op\xE9ratoire")},
        {"an unknown test mode", without("32 bits")},
        {"a second line in the system version", [&] {
             std::string text = good;
             text.insert(text.find("Linux") + 5, "\r\n");
             return text;
         }()},
    };
    for (const auto& c : cases) EXPECT_FALSE(ParseReportText(c.text).has_value()) << c.what;
}

} // namespace
} // namespace qx::report
