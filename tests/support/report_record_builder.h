#pragma once

// Report records for tests, filled as the report dialog leaves them: the
// identity, the tester's texts and answers, the system information. What a
// test does not set stays empty (answers: -1, no answer).

#include "report/report_record.h"

#include <string>
#include <utility>

namespace qx::test {

class ReportRecordBuilder {
public:
    ReportRecordBuilder& Name(std::string name) { return Set(m_record.m_identity.m_strName, std::move(name)); }
    ReportRecordBuilder& Company(std::string company)
    {
        return Set(m_record.m_identity.m_strCompany, std::move(company));
    }
    ReportRecordBuilder& Address(std::string street, std::string postalCode, std::string town)
    {
        m_record.m_identity.m_strAddress = std::move(street);
        m_record.m_identity.m_strPostalCode = std::move(postalCode);
        return Set(m_record.m_identity.m_strTown, std::move(town));
    }
    ReportRecordBuilder& Phone(std::string phone) { return Set(m_record.m_identity.m_strPhone, std::move(phone)); }
    ReportRecordBuilder& Fax(std::string fax) { return Set(m_record.m_identity.m_strFax, std::move(fax)); }
    ReportRecordBuilder& Email(std::string email) { return Set(m_record.m_identity.m_strEmail, std::move(email)); }
    ReportRecordBuilder& Serial(std::string serial) { return Set(m_record.m_identity.m_strSerial, std::move(serial)); }

    ReportRecordBuilder& Description(std::string text) { return Set(m_record.m_strDescription, std::move(text)); }
    ReportRecordBuilder& Steps(std::string text) { return Set(m_record.m_strSteps, std::move(text)); }
    ReportRecordBuilder& Comments(std::string text) { return Set(m_record.m_strComments, std::move(text)); }
    // The radio buttons: 0, 1, 2, or -1 for no answer.
    ReportRecordBuilder& Answers(int reproducible, int testMode)
    {
        m_record.m_nReproducible = reproducible;
        m_record.m_nTestMode = testMode;
        return *this;
    }

    ReportRecordBuilder& WindowsVersion(std::string text) { return Set(m_record.m_strWindowsVersion, std::move(text)); }
    ReportRecordBuilder& Dll16(std::string list) { return Set(m_record.m_strDll16, std::move(list)); }
    ReportRecordBuilder& Modules32(std::string list) { return Set(m_record.m_strModules32, std::move(list)); }
    ReportRecordBuilder& ExeOnDisk(std::string list) { return Set(m_record.m_strExeOnDisk, std::move(list)); }
    ReportRecordBuilder& DllOnDisk(std::string list) { return Set(m_record.m_strDllOnDisk, std::move(list)); }
    ReportRecordBuilder& ProductCode(const std::string& file, std::string code)
    {
        m_record.m_mapProductCodes[file] = std::move(code);
        return *this;
    }

    CReportRecord Build() const { return m_record; }

private:
    ReportRecordBuilder& Set(std::string& field, std::string value)
    {
        field = std::move(value);
        return *this;
    }

    CReportRecord m_record;
};

} // namespace qx::test
