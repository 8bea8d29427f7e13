#pragma once

// All data of one report: filled by the system-information steps and the
// identity, edited in the report dialog, read by the report text and the
// printed report. Strings hold Windows-1252 bytes; lines end with "\r\n".

#include <map>
#include <string>

namespace qx::report {

// The tester's identity: the nine identity fields, kept between reports
// (report/identity/identity_fields.h lists them with their keys and controls).
struct Identity {
    std::string m_strName;
    std::string m_strCompany;
    std::string m_strAddress;
    std::string m_strPostalCode;
    std::string m_strTown;
    std::string m_strPhone;
    std::string m_strFax;
    std::string m_strEmail;
    std::string m_strSerial;
    friend bool operator==(const Identity&, const Identity&) = default;
};

} // namespace qx::report

struct CReportRecord {
    qx::report::Identity m_identity;

    std::string m_strDescription;
    std::string m_strSteps;
    std::string m_strComments;

    // 0, 1, 2 for the three radio buttons; -1 for no answer.
    int m_nReproducible = -1;
    int m_nTestMode = -1;

    std::string m_strWindowsVersion;
    std::string m_strLoadedDlls;
    std::string m_strDll16;
    std::string m_strModules32;
    std::string m_strExeOnDisk;
    std::string m_strDllOnDisk;

    // Product file name (8.3, upper case) to its short code.
    std::map<std::string, std::string> m_mapProductCodes;
};
