#pragma once

// Section and key names of Orvane.ini.

namespace qx::config {

inline constexpr const char* kSectionQxBeta = "QXBETA";
inline constexpr const char* kSectionOrvane = "Orvane55";

inline constexpr const char* kKeyInstallDir = "REPEXE";

inline constexpr const char* kKeyStartNotice = "INFO";
inline constexpr const char* kKeyCaptureNotice = "INFOIMP";
inline constexpr const char* kKeyMailNotice = "INFOEMAL";
// Not a notice, but the same switch: "0..." keeps the E-mail command from
// opening the mail program.
inline constexpr const char* kKeyMailCompose = "EMALAUTO";
inline constexpr const char* kKeyReportNumber = "numrpt";

inline constexpr const char* kKeyName = "Nom";
inline constexpr const char* kKeyCompany = "Societe";
inline constexpr const char* kKeyAddress = "Adresse";
inline constexpr const char* kKeyPostalCode = "CP";
inline constexpr const char* kKeyTown = "Ville";
inline constexpr const char* kKeyPhone = "Tel";
inline constexpr const char* kKeyFax = "Fax";
inline constexpr const char* kKeyEmail = "email";
inline constexpr const char* kKeySerial = "ns";

} // namespace qx::config
