#pragma once

// The system-information steps the report dialog runs while it opens, in
// the order it calls them. SysinfoOpeningSteps runs the sysinfo steps over
// the services it is given (those of this machine in the program).

#include "report/report_record.h"
#include "sysinfo/sysinfo.h"

#include <string>

namespace qx::report {

class ReportOpeningSteps {
public:
    virtual ~ReportOpeningSteps() = default;

    virtual void FormatWindowsVersion(std::string& text) = 0;
    virtual void CollectDll16(const std::string& installDir, CReportRecord& record) = 0;
    virtual void CollectModules32(CReportRecord& record) = 0;
    virtual void ListProductFiles(const std::string& directory, const std::string& mask, std::string& out) = 0;
    virtual void LoadProductCodes(CReportRecord& record) = 0;
};

class SysinfoOpeningSteps final : public ReportOpeningSteps {
public:
    explicit SysinfoOpeningSteps(const sysinfo::SystemServices& services) : m_services(services) {}

    void FormatWindowsVersion(std::string& text) override;
    void CollectDll16(const std::string& installDir, CReportRecord& record) override;
    void CollectModules32(CReportRecord& record) override;
    void ListProductFiles(const std::string& directory, const std::string& mask, std::string& out) override;
    void LoadProductCodes(CReportRecord& record) override;

private:
    const sysinfo::SystemServices& m_services;
};

} // namespace qx::report
