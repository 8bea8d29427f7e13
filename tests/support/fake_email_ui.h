#pragma once

// The desktop side of the E-mail command for tests: records what the command
// asked for, in order, and answers the save dialog as told.

#include "report/email/email_ui.h"

#include <functional>
#include <string>
#include <vector>

namespace qx::test {

class FakeEmailUi final : public report::EmailUi {
public:
    // The save dialog's answer for the default name it was offered.
    std::function<std::optional<std::string>(const std::string&)> choosePath;
    std::vector<std::string> events;
    std::vector<std::string> messages;
    std::vector<std::string> offeredNames;

    void ShowMailNotice() override { events.push_back("notice"); }
    void SaveIdentity() override { events.push_back("identity"); }
    std::optional<std::string> AskArchivePath(const std::string& defaultName) override
    {
        events.push_back("save dialog");
        offeredNames.push_back(defaultName);
        return choosePath ? choosePath(defaultName) : std::nullopt;
    }
    void PickIncidentPoint() override { events.push_back("pick"); }
    void OpenBusyWindow() override { events.push_back("busy"); }
    void CloseBusyWindow() override { events.push_back("busy closed"); }
    void SetWaitCursor(report::WaitCursor cursor) override
    {
        events.push_back(cursor == report::WaitCursor::On ? "wait cursor" : "normal cursor");
    }
    void ShowMessage(const std::string& text) override
    {
        events.push_back("message");
        messages.push_back(text);
    }
};

} // namespace qx::test
