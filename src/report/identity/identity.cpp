#include "report/identity/identity.h"

#include "report/identity/identity_fields.h"

namespace qx::report {

Identity ReadStoredIdentity(const config::Profile& profile)
{
    Identity identity;
    for (const IdentityField& stored : kIdentityFields) {
        identity.*stored.field = profile.Read(config::kSectionQxBeta, stored.key, "");
    }
    return identity;
}

void WriteStoredIdentity(const config::Profile& profile, const Identity& identity)
{
    std::array<config::ProfileEntry, kIdentityFields.size()> entries;
    for (std::size_t i = 0; i < kIdentityFields.size(); ++i)
        entries[i] = {kIdentityFields[i].key, identity.*kIdentityFields[i].field};
    profile.WriteSection(config::kSectionQxBeta, entries);
}

} // namespace qx::report
