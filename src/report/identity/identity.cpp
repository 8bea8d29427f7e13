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
    for (const IdentityField& stored : kIdentityFields) {
        profile.Write(config::kSectionQxBeta, stored.key, identity.*stored.field);
    }
}

} // namespace qx::report
