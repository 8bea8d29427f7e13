#include "app/core/installation_check.h"

#include "config/keys.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

namespace qx::app {

namespace {

constexpr const char* kMissingKeyCaption = "Attention !";
constexpr const char* kEnvironmentPattern = "*orvane*.exe";
constexpr char kSeparator = '/';

// The path on the first line, the string-table text under it; the platform's
// own title, as no caption is given.
void ShowPathMessage(platform::MessageBoxes& messages, const std::string& path, int textId)
{
    messages.Show(path + "\r\n" + LoadResString(textId), std::nullopt, platform::MessageIcon::Exclamation,
                  platform::MessageModality::Application);
}

} // namespace

bool CheckInstallation(const config::Profile& profile, platform::FileReader& files,
                       platform::MessageBoxes& messages, std::string& installDir)
{
    std::string path = profile.Read(config::kSectionOrvane, config::kKeyInstallDir, "");
    if (path.empty()) {
        messages.Show(LoadResString(res::kMsgNoInstallKey), kMissingKeyCaption, platform::MessageIcon::Exclamation,
                      platform::MessageModality::Task);
        return false;
    }

    while (!path.empty() && path.back() == kSeparator) path.pop_back();
    if (path.empty() || files.FindFiles(path).empty()) {
        ShowPathMessage(messages, path, res::kMsgBadInstallDir);
        return false;
    }

    const std::string directory = path + kSeparator;
    if (files.FindFiles(directory + kEnvironmentPattern).empty()) {
        ShowPathMessage(messages, path, res::kMsgNoEnvironmentExe);
        return false;
    }
    installDir = directory;
    return true;
}

} // namespace qx::app
