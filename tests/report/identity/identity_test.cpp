#include "report/identity/identity.h"

#include "config/keys.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace qx::report {
namespace {

Identity Sample()
{
    return Identity{"Dupont", "ACME", "1 rue Haute", "75001", "Paris", "01 02 03 04 05", "01 02 03 04 06",
                    "dupont@example.fr", "AB 12"};
}

TEST(StoredIdentity, IsWrittenInItsKeyOrderEmptyValuesIncluded)
{
    test::ScratchDir dir;
    config::Profile profile(dir.Path());
    Identity identity = Sample();
    identity.m_strFax.clear();
    WriteStoredIdentity(profile, identity);

    std::ifstream file(profile.FilePath());
    std::stringstream content;
    content << file.rdbuf();
    const std::string text = content.str();
    std::size_t at = 0;
    for (const char* key : {"Nom=Dupont", "Societe=ACME", "Adresse=1 rue Haute", "CP=75001", "Ville=Paris",
                            "Tel=01 02 03 04 05", "Fax=", "email=dupont@example.fr", "ns=AB 12"}) {
        const std::size_t found = text.find(key, at);
        ASSERT_NE(found, std::string::npos) << key << " in\n" << text;
        at = found;
    }
    EXPECT_EQ(ReadStoredIdentity(profile), identity);
    // The empty fax is an empty key, not a missing one.
    EXPECT_EQ(profile.Read(config::kSectionQxBeta, config::kKeyFax, "missing"), "");
}

TEST(StoredIdentity, ReadsEmptyFieldsWhenNothingIsStoredAndCutsLongValues)
{
    test::ScratchDir dir;
    config::Profile profile(dir.Path());
    EXPECT_EQ(ReadStoredIdentity(profile), Identity{});
    profile.Write(config::kSectionQxBeta, config::kKeyName, std::string(300, 'n'));
    EXPECT_EQ(ReadStoredIdentity(profile).m_strName, std::string(259, 'n'));
}

} // namespace
} // namespace qx::report
