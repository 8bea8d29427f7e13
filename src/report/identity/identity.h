#pragma once

// The tester's identity: the nine identity fields of the report record, kept
// in section QXBETA of Orvane.ini so that they are typed only once.

#include "config/profile.h"
#include "report/report_record.h"

#include <string>

namespace qx::report {

// The identity dialog's own copy of the nine fields.
struct IdentityFields {
    std::string m_strName;
    std::string m_strCompany;
    std::string m_strAddress;
    std::string m_strPostalCode;
    std::string m_strTown;
    std::string m_strPhone;
    std::string m_strFax;
    std::string m_strEmail;
    std::string m_strSerial;
    friend bool operator==(const IdentityFields&, const IdentityFields&) = default;
};

IdentityFields IdentityOf(const CReportRecord& record);
void SetIdentity(CReportRecord& record, const IdentityFields& identity);

// Reads the keys Nom, Societe, Adresse, CP, Ville, Tel, Fax, email, ns in
// this order, each with an empty default (values cut to 259 characters).
IdentityFields ReadStoredIdentity(const config::Profile& profile);

// Writes the nine keys in the same order, empty values included as empty
// keys.
void WriteStoredIdentity(const config::Profile& profile, const IdentityFields& identity);

} // namespace qx::report
