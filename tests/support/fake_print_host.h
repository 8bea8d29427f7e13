#pragma once

// The report dialog as the Print command sees it: a record, a profile in a
// scratch directory, a kept screen image, and a log of what was asked.

#include "config/profile.h"
#include "report/report_commands.h"

#include <string>
#include <vector>

namespace qx::test {

class FakePrintHost final : public report::ReportCommandHost {
public:
    FakePrintHost(const std::filesystem::path& profileDir, Bitmap image)
        : m_profile(profileDir), m_image(std::move(image))
    {
    }

    CReportRecord record;
    // What the next pick returns.
    IncidentPoint nextPick;
    std::vector<std::string> log;

    const CReportRecord& Record() const override { return record; }
    const config::Profile& Profile() const override { return m_profile; }
    Bitmap& ScreenImage() override { return m_image; }
    void SaveIdentity() override { log.push_back("SaveIdentity"); }
    IncidentPoint PickIncidentPoint() override
    {
        log.push_back("Pick");
        return nextPick;
    }
    void OpenBusyWindow() override { log.push_back("OpenBusy"); }
    void CloseBusyWindow() override { log.push_back("CloseBusy"); }
    void SetWaitCursor(report::WaitCursor cursor) override
    {
        log.push_back(cursor == report::WaitCursor::On ? "WaitOn" : "WaitOff");
    }
    void ShowMessage(const std::string& text) override { log.push_back("Message " + text); }
    platform::OwnerWindow* DialogWindow() override { return nullptr; }

private:
    config::Profile m_profile;
    Bitmap m_image;
};

} // namespace qx::test
