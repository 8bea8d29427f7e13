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
        : profile(scratch.Path() / "config")
    {
        fs::create_directories(scratch.Path() / "Orvane55");
        Touch("Orvane55/Orvane55.EXE");
        fs::create_directories(scratch.Path() / "empty");
        Touch("empty/readme.txt");
        Touch("plain-file");
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
    EXPECT_EQ(shown.text, LoadResString(res::kMsgNoInstallKey));
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
    EXPECT_EQ(messages.shown[0].text, LoadResString(res::kMsgNoInstallKey));
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
        EXPECT_EQ(shown.text, c.pathLine + "\r\n" + LoadResString(c.textId)) << c.value;
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

TEST_F(InstallationCheckTest, TheTwoPathTextsAreTheSameFourLines)
{
    const std::string expected = text::Utf8ToCp1252(
        "Mauvais nom de répertoire Orvane Bêta.\r\n"
        "Vérifiez la clé REPEXE de la section [ORVANE55] de \r\n"
        "votre fichier ORVANE.INI.\r\n"
        "Exemple de clé : C:\\ORVANE55");
    EXPECT_EQ(LoadResString(res::kMsgBadInstallDir), expected);
    EXPECT_EQ(LoadResString(res::kMsgNoEnvironmentExe), expected);
}

} // namespace
} // namespace qx::app
