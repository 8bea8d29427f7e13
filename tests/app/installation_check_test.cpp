#include "app/core/installation_check.h"

#include "config/keys.h"
#include "platform/posix/posix_file_reader.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "support/app_doubles.h"
#include "support/scratch_dir.h"
#include "text/cp1252.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace qx::app {
namespace {

namespace fs = std::filesystem;

class InstallationCheckTest : public ::testing::Test {
protected:
    InstallationCheckTest()
        : profile(scratch.Path() / "config", scratch.Path() / "prefix")
    {
        fs::create_directories(scratch.Path() / "Orvane55");
        Touch("Orvane55/Orvane55.EXE");
        fs::create_directories(scratch.Path() / "empty");
        Touch("empty/readme.txt");
        Touch("plain-file");
    }

    // The string-table text as the check shows it: "%1" names the profile's folder.
    std::string Shown(int textId) const
    {
        std::string text = LoadResString(textId);
        text.replace(text.find("%1"), 2, scratch.File("config"));
        return text;
    }

    void Touch(const std::string& name) { std::ofstream(scratch.File(name)) << "x"; }
    void SetRepExe(const std::string& value) { profile.Write(config::kSectionOrvane, config::kKeyInstallDir, value); }

    bool Check()
    {
        installDir = "unchanged";
        return CheckInstallation(profile, files, messages, installDir);
    }

    test::ScratchDir scratch;
    config::Profile profile;
    platform::PosixFileReader files;
    test::RecordingMessageBoxes messages;
    std::string installDir;
};

TEST_F(InstallationCheckTest, AcceptsTheDirectoryWithAnyNumberOfTrailingSeparators)
{
    const std::string dir = scratch.File("Orvane55");
    for (const std::string& value : {dir, dir + "/", dir + "///"}) {
        SetRepExe(value);
        EXPECT_TRUE(Check()) << value;
        EXPECT_EQ(installDir, dir + "/") << value;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(InstallationCheckTest, MissingKeyShowsMessage110WithItsCaptionTaskModal)
{
    EXPECT_FALSE(Check());
    ASSERT_EQ(messages.shown.size(), 1u);
    const test::ShownMessage& shown = messages.shown[0];
    EXPECT_EQ(shown.text, Shown(res::kMsgNoInstallKey));
    EXPECT_TRUE(shown.text.starts_with(text::Utf8ToCp1252("Un problème a dû survenir")));
    EXPECT_EQ(shown.caption, std::optional<std::string>("Attention !"));
    EXPECT_EQ(shown.icon, platform::MessageIcon::Exclamation);
    EXPECT_EQ(shown.modality, platform::MessageModality::Task);
    EXPECT_EQ(installDir, "unchanged");
}

TEST_F(InstallationCheckTest, EmptyValueCountsAsMissing)
{
    SetRepExe("");
    EXPECT_FALSE(Check());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, Shown(res::kMsgNoInstallKey));
}

TEST_F(InstallationCheckTest, BadPathsNameThePathAboveTheirTextWithoutCaption)
{
    struct Case {
        std::string value;
        std::string pathLine;
        int textId;
    };
    const std::string missing = scratch.File("nowhere");
    const Case cases[] = {
        {missing + "/", missing, res::kMsgBadInstallDir},
        // Only separators: the path is empty.
        {"///", "", res::kMsgBadInstallDir},
        {"C:\\\\", "C:", res::kMsgBadInstallDir},
        {"C:\\Orvane55\\\\", "C:\\Orvane55", res::kMsgBadInstallDir},
        {scratch.File("empty") + "/", scratch.File("empty"), res::kMsgNoEnvironmentExe},
        // A file passes the first test and fails the second.
        {scratch.File("plain-file"), scratch.File("plain-file"), res::kMsgNoEnvironmentExe},
    };
    for (const Case& c : cases) {
        messages.shown.clear();
        SetRepExe(c.value);
        EXPECT_FALSE(Check()) << c.value;
        ASSERT_EQ(messages.shown.size(), 1u) << c.value;
        const test::ShownMessage& shown = messages.shown[0];
        EXPECT_EQ(shown.text, c.pathLine + "\r\n" + Shown(c.textId)) << c.value;
        EXPECT_EQ(shown.caption, std::nullopt) << c.value;
        EXPECT_EQ(shown.modality, platform::MessageModality::Application) << c.value;
        EXPECT_EQ(shown.icon, platform::MessageIcon::Exclamation) << c.value;
    }
}

TEST_F(InstallationCheckTest, TheEnvironmentExecutableIsFoundWithoutRegardToCase)
{
    fs::create_directories(scratch.Path() / "other");
    Touch("other/MyORVANEtool.exe");
    SetRepExe(scratch.File("other"));
    EXPECT_TRUE(Check());
}

TEST_F(InstallationCheckTest, ADriveLetterIsResolvedInTheWinePrefixAndNamedAsStored)
{
    fs::create_directories(scratch.Path() / "prefix/dosdevices");
    fs::create_directories(scratch.Path() / "prefix/drive_c/orvane55");
    fs::create_symlink("../drive_c", scratch.Path() / "prefix/dosdevices/c:");
    Touch("prefix/drive_c/orvane55/ORVANE55.EXE");
    const std::string driveC = fs::canonical(scratch.Path() / "prefix/drive_c").string();

    for (const std::string value : {"C:\\ORVANE55", "c:\\orvane55\\", "C:/Orvane55/"}) {
        SetRepExe(value);
        EXPECT_TRUE(Check()) << value;
        EXPECT_EQ(installDir, driveC + "/orvane55/") << value;
    }
    SetRepExe("C:\\");
    EXPECT_FALSE(Check());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "C:\r\n" + Shown(res::kMsgNoEnvironmentExe));
}

TEST_F(InstallationCheckTest, TheTextsNameTheFolderOfOrvaneIniAndAUnixExample)
{
    const std::string folder = scratch.File("config");
    const std::string expected = text::Utf8ToCp1252(
        "Mauvais nom de répertoire Orvane Bêta.\r\n"
        "Vérifiez la clé REPEXE de la section [ORVANE55] de \r\n"
        "votre fichier ORVANE.INI du répertoire " + folder + ".\r\n"
        "Exemple de clé : /opt/orvane55");
    SetRepExe(scratch.File("nowhere"));
    EXPECT_FALSE(Check());
    SetRepExe(scratch.File("empty"));
    EXPECT_FALSE(Check());
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, scratch.File("nowhere") + "\r\n" + expected);
    EXPECT_EQ(messages.shown[1].text, scratch.File("empty") + "\r\n" + expected);

    SetRepExe("");
    EXPECT_FALSE(Check());
    ASSERT_EQ(messages.shown.size(), 3u);
    const std::string& noKey = messages.shown[2].text;
    EXPECT_NE(noKey.find(text::Utf8ToCp1252("\r\ndu répertoire " + folder + " :\r\n")), std::string::npos) << noKey;
    EXPECT_TRUE(noKey.ends_with("\r\n    Ex : /opt/orvane55\"")) << noKey;
}

} // namespace
} // namespace qx::app
