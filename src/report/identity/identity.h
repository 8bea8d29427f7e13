#pragma once

// The tester's identity kept in section QXBETA of Orvane.ini, so that it is
// typed only once.

#include "config/profile.h"
#include "report/report_record.h"

namespace qx::report {

// Reads the keys Nom, Societe, Adresse, CP, Ville, Tel, Fax, email, ns in
// this order, each with an empty default (values cut to 259 characters).
Identity ReadStoredIdentity(const config::Profile& profile);

// Writes the nine keys in the same order, empty values included as empty
// keys.
void WriteStoredIdentity(const config::Profile& profile, const Identity& identity);

} // namespace qx::report
