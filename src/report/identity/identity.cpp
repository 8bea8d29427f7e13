#include "report/identity/identity.h"

#include "config/keys.h"

#include <array>

namespace qx::report {

namespace {

struct StoredField {
    const char* key;
    std::string IdentityFields::*field;
};

// The order in which the keys are read and written.
constexpr std::array<StoredField, 9> kStoredFields{{
    {config::kKeyName, &IdentityFields::m_strName},
    {config::kKeyCompany, &IdentityFields::m_strCompany},
    {config::kKeyAddress, &IdentityFields::m_strAddress},
    {config::kKeyPostalCode, &IdentityFields::m_strPostalCode},
    {config::kKeyTown, &IdentityFields::m_strTown},
    {config::kKeyPhone, &IdentityFields::m_strPhone},
    {config::kKeyFax, &IdentityFields::m_strFax},
    {config::kKeyEmail, &IdentityFields::m_strEmail},
    {config::kKeySerial, &IdentityFields::m_strSerial},
}};

} // namespace

IdentityFields IdentityOf(const CReportRecord& record)
{
    return IdentityFields{record.m_strName,  record.m_strCompany, record.m_strAddress,
                          record.m_strPostalCode, record.m_strTown, record.m_strPhone,
                          record.m_strFax,   record.m_strEmail,   record.m_strSerial};
}

void SetIdentity(CReportRecord& record, const IdentityFields& identity)
{
    record.m_strName = identity.m_strName;
    record.m_strCompany = identity.m_strCompany;
    record.m_strAddress = identity.m_strAddress;
    record.m_strPostalCode = identity.m_strPostalCode;
    record.m_strTown = identity.m_strTown;
    record.m_strPhone = identity.m_strPhone;
    record.m_strFax = identity.m_strFax;
    record.m_strEmail = identity.m_strEmail;
    record.m_strSerial = identity.m_strSerial;
}

IdentityFields ReadStoredIdentity(const config::Profile& profile)
{
    IdentityFields identity;
    for (const StoredField& stored : kStoredFields) {
        identity.*stored.field = profile.Read(config::kSectionQxBeta, stored.key, "");
    }
    return identity;
}

void WriteStoredIdentity(const config::Profile& profile, const IdentityFields& identity)
{
    for (const StoredField& stored : kStoredFields) {
        profile.Write(config::kSectionQxBeta, stored.key, identity.*stored.field);
    }
}

} // namespace qx::report
