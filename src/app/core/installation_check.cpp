#include "app/core/installation_check.h"

#include "config/keys.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/cp1252.h"

namespace qx::app {

namespace {

constexpr const char* kMissingKeyCaption = "Attention !";
constexpr const char* kEnvironmentPattern = "*orvane*.exe";
constexpr char kSeparator = '/';
constexpr std::string_view kFolderMark = "%1";

bool IsTrailingSeparator(char c)
{
    return c == kSeparator || c == '\\';
}

// The string-table text with the folder that holds Orvane.ini in place of "%1",
// so that the tester is told which file to mend.
std::string TextNamingTheProfile(int textId, const config::Profile& profile)
{
    std::string text = LoadResString(textId);
    if (const auto mark = text.find(kFolderMark); mark != std::string::npos)
        text.replace(mark, kFolderMark.size(), text::Utf8ToCp1252(profile.Directory().string()));
    return text;
}

// The path on the first line, the string-table text under it; the platform's
// own title, as no caption is given.
void ShowPathMessage(platform::MessageBoxes& messages, const config::Profile& profile, const std::string& path,
                     int textId)
{
    messages.Show(path + "\r\n" + TextNamingTheProfile(textId, profile), std::nullopt,
                  platform::MessageIcon::Exclamation, platform::MessageModality::Application);
}

} // namespace

bool CheckInstallation(const config::Profile& profile, platform::FileReader& files,
                       platform::MessageBoxes& messages, std::string& installDir)
{
    std::string path = profile.Read(config::kSectionOrvane, config::kKeyInstallDir, "");
    if (path.empty()) {
        messages.Show(TextNamingTheProfile(res::kMsgNoInstallKey, profile), kMissingKeyCaption,
                      platform::MessageIcon::Exclamation, platform::MessageModality::Task);
        return false;
    }

    // The messages name the path as stored; the search uses its Unix folder
    // (a drive letter such as "C:\\ORVANE55" resolved in the Wine prefix).
    while (!path.empty() && IsTrailingSeparator(path.back())) path.pop_back();
    const std::string folder = profile.UnixPath(path);
    if (path.empty() || files.FindFiles(folder).empty()) {
        ShowPathMessage(messages, profile, path, res::kMsgBadInstallDir);
        return false;
    }

    const std::string directory = folder + kSeparator;
    if (files.FindFiles(directory + kEnvironmentPattern).empty()) {
        ShowPathMessage(messages, profile, path, res::kMsgNoEnvironmentExe);
        return false;
    }
    installDir = directory;
    return true;
}

} // namespace qx::app
