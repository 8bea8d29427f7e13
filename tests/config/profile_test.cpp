#include "config/profile.h"

#include "config/profile_fixture.h"
#include "support/scratch_dir.h"
#include "support/small_volume.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

namespace qx::config {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test::EntryNames;
using test::ReadBytes;
using test::WriteBytes;

class ProfileTest : public testing::Test {
protected:
    test::ScratchDir scratch;
    fs::path dir = scratch.Path() / "Orvane";
    Profile profile{dir};

    fs::path File(const char* name = "Orvane.ini") const { return dir / name; }

    void Store(std::string_view bytes, const char* name = "Orvane.ini")
    {
        fs::create_directories(dir);
        WriteBytes(File(name), bytes);
    }
};

TEST_F(ProfileTest, MissingDirectoryFileSectionOrKeyGiveTheDefault)
{
    EXPECT_EQ(profile.Read("QXBETA", "numrpt", "1"), "1");
    EXPECT_FALSE(fs::exists(dir)) << "a read creates nothing";
    Store("");
    EXPECT_EQ(profile.Read("QXBETA", "numrpt", "1"), "1");
    Store("[Orvane55]\nREPEXE=/opt/orvane\n");
    EXPECT_EQ(profile.Read("QXBETA", "Nom", ""), "");
    Store("[QXBETA]\nNom=Dupont\n");
    EXPECT_EQ(profile.Read("QXBETA", "Tel", "none"), "none");
}

TEST_F(ProfileTest, HandWrittenUpperCaseFileSectionAndKeyAreFound)
{
    Store("[ORVANE55]\r\nrepexe=/opt/orvane\r\n", "ORVANE.INI");
    EXPECT_EQ(profile.FilePath(), File("ORVANE.INI"));
    EXPECT_EQ(profile.Read("Orvane55", "REPEXE", ""), "/opt/orvane");

    profile.Write("QXBETA", "numrpt", "3");
    EXPECT_EQ(EntryNames(dir), (std::vector<std::string>{".ORVANE.INI.lock", "ORVANE.INI"}))
        << "written back under its own name, beside the writers' lock file";
    EXPECT_EQ(ReadBytes(File("ORVANE.INI")), "[ORVANE55]\r\nrepexe=/opt/orvane\r\n[QXBETA]\r\nnumrpt=3\r\n");
}

TEST_F(ProfileTest, ExactSpellingOfTheFileNameWins)
{
    Store("[a]\nk=upper\n", "ORVANE.INI");
    Store("[a]\nk=exact\n", "Orvane.ini");
    EXPECT_EQ(profile.Read("a", "k", ""), "exact");
}

TEST_F(ProfileTest, ValuesAreReadBackAsTheirFirst259Characters)
{
    const std::string identity(300, 'n');
    Store("[QXBETA]\nNom=" + identity + "\n");
    EXPECT_EQ(profile.Read("QXBETA", "Nom", ""), identity.substr(0, kMaxValueLength));
    EXPECT_EQ(profile.Read("QXBETA", "Tel", identity), identity.substr(0, kMaxValueLength)) << "defaults too";

    profile.Write("QXBETA", "Nom", profile.Read("QXBETA", "Nom", ""));
    EXPECT_EQ(ReadBytes(File()), "[QXBETA]\r\nNom=" + identity.substr(0, 259) + "\r\n");
}

TEST_F(ProfileTest, AnEditByHandIsSeenAtTheNextRead)
{
    Store("[QXBETA]\nINFO=1\n");
    EXPECT_EQ(profile.Read("QXBETA", "INFO", "1"), "1");
    Store("[QXBETA]\nINFO=0\n");
    EXPECT_EQ(profile.Read("QXBETA", "INFO", "1"), "0");
    fs::remove(File());
    Store("[qxbeta]\ninfo=2\n", "orvane.INI");
    EXPECT_EQ(profile.Read("QXBETA", "INFO", "1"), "2");
}

TEST_F(ProfileTest, WriteCreatesDirectoryFileAndSectionAndKeepsEverythingElse)
{
    profile.Write("QXBETA", "Nom", "Dupont");
    EXPECT_EQ(ReadBytes(File()), "[QXBETA]\r\nNom=Dupont\r\n");

    Store("; Orvane 5.5\n[Orvane55]\nREPEXE=/opt/orvane\nLangue=FR\n\n[QXBETA]\nNom=Dupont\nns=123\n");
    profile.Write("QXBETA", "Nom", "Martin");
    profile.Write("QXBETA", "Tel", "01 02 03 04 05");
    profile.Write("Autre", "cle", "valeur");
    EXPECT_EQ(ReadBytes(File()),
              "; Orvane 5.5\r\n[Orvane55]\r\nREPEXE=/opt/orvane\r\nLangue=FR\r\n\r\n"
              "[QXBETA]\r\nNom=Martin\r\nns=123\r\nTel=01 02 03 04 05\r\n[Autre]\r\ncle=valeur\r\n");
    EXPECT_EQ(EntryNames(dir), (std::vector<std::string>{".Orvane.ini.lock", "Orvane.ini"})) << "no temporary file left";
}

TEST_F(ProfileTest, LineEndsInAValueAreWrittenAsBlanks)
{
    profile.Write("QXBETA", "Adresse", "1 rue Haute\r\nBP 12\n");
    profile.Write("QXBETA", "Ville", "Lyon");
    EXPECT_EQ(profile.Read("QXBETA", "Adresse", ""), "1 rue Haute  BP 12");
    EXPECT_EQ(ReadBytes(File()), "[QXBETA]\r\nAdresse=1 rue Haute  BP 12 \r\nVille=Lyon\r\n");
}

TEST_F(ProfileTest, NulByteInTheMiddleOfTheFile)
{
    const std::string bytes = "[QXBETA]\nNom=Du\0pont\nTel=5\n\0\0\n[Orvane55]\nREPEXE=/opt\n"s;
    Store(bytes);
    EXPECT_EQ(profile.Read("QXBETA", "Nom", "x"), "Du") << "a value ends at a NUL, as in a C buffer";
    EXPECT_EQ(profile.Read("QXBETA", "Tel", ""), "5");
    EXPECT_EQ(profile.Read("Orvane55", "REPEXE", ""), "/opt");

    profile.Write("QXBETA", "Tel", "6");
    EXPECT_EQ(ReadBytes(File()), "[QXBETA]\r\nNom=Du\0pont\r\nTel=6\r\n\0\0\r\n[Orvane55]\r\nREPEXE=/opt\r\n"s);
}

TEST_F(ProfileTest, ReadOnlyFileStaysUnchanged)
{
    const std::string bytes = "[QXBETA]\nNom=Dupont\n";
    Store(bytes);
    fs::permissions(File(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    profile.Write("QXBETA", "Nom", "Martin");
    EXPECT_EQ(ReadBytes(File()), bytes);
    EXPECT_EQ(profile.Read("QXBETA", "Nom", ""), "Dupont");
    EXPECT_EQ(EntryNames(dir), std::vector<std::string>{"Orvane.ini"});
}

TEST_F(ProfileTest, ReadOnlyDirectoryGetsNoFile)
{
    fs::create_directories(dir);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    profile.Write("QXBETA", "Nom", "Martin");
    fs::permissions(dir, fs::perms::owner_all);
    EXPECT_TRUE(EntryNames(dir).empty());
}

TEST_F(ProfileTest, PermissionsOfTheFileAreKept)
{
    Store("[a]\nk=1\n");
    fs::permissions(File(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    profile.Write("a", "k", "2");
    EXPECT_EQ(fs::status(File()).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(profile.Read("a", "k", ""), "2");
}

TEST_F(ProfileTest, SymbolicLinkToASharedFileStaysALink)
{
    const fs::path shared = scratch.Path() / "shared.ini";
    WriteBytes(shared, "[a]\nk=1\n");
    fs::create_directories(dir);
    fs::create_symlink(shared, File());
    profile.Write("a", "k", "2");
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_EQ(ReadBytes(shared), "[a]\r\nk=2\r\n");
}

TEST_F(ProfileTest, SomethingThatIsNoFileGivesDefaultsAndIsLeftAlone)
{
    fs::create_directories(File() / "inside");
    EXPECT_EQ(profile.Read("a", "k", "d"), "d");
    profile.Write("a", "k", "v");
    EXPECT_TRUE(fs::is_directory(File() / "inside"));
}

TEST_F(ProfileTest, HugeFileIsReadAsFarAsPossibleAndNeverRewritten)
{
    Store("[a]\nk=found\n");
    fs::resize_file(File(), 64 * 1024 * 1024); // a sparse tail of NUL bytes
    EXPECT_EQ(profile.Read("a", "k", ""), "found");
    profile.Write("a", "k", "lost");
    EXPECT_EQ(fs::file_size(File()), 64u * 1024 * 1024);
    EXPECT_EQ(profile.Read("a", "k", ""), "found");
}

TEST_F(ProfileTest, BinaryFileReadsWithoutHarmAndKeepsItsBytes)
{
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary.push_back(static_cast<char>((i * 7919) % 251));
    Store(binary);
    EXPECT_EQ(profile.Read("QXBETA", "numrpt", "1"), "1");
    profile.Write("QXBETA", "numrpt", "2");
    const std::string written = ReadBytes(File());
    EXPECT_EQ(profile.Read("QXBETA", "numrpt", "1"), "2");
    EXPECT_EQ(written.find("[QXBETA]\r\nnumrpt=2\r\n"), written.size() - 20);
}

TEST_F(ProfileTest, FullDiskLeavesTheFileAsItWas)
{
    const auto code = test::RunOnSmallVolume(64 * 1024, test::VolumeMode::Writable, [](const std::string& volume) {
        const Profile onVolume{fs::path(volume)};
        onVolume.Write("QXBETA", "Nom", "Dupont");
        const std::string before = ReadBytes(fs::path(volume) / "Orvane.ini");
        if (before != "[QXBETA]\r\nNom=Dupont\r\n") return 1;
        {
            std::ofstream filler(fs::path(volume) / "filler", std::ios::binary);
            const std::string block(4096, 'f');
            while (filler.write(block.data(), block.size())) {}
        }
        onVolume.Write("QXBETA", "Adresse", std::string(200, 'a'));
        if (ReadBytes(fs::path(volume) / "Orvane.ini") != before) return 2;
        if (EntryNames(volume) != std::vector<std::string>{".Orvane.ini.lock", "Orvane.ini", "filler"}) return 3;
        return 0;
    });
    if (!code) GTEST_SKIP() << "no private mount on this system";
    EXPECT_EQ(*code, 0);
}

class ForCurrentUserTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"XDG_CONFIG_HOME", "HOME"})
            if (const char* value = std::getenv(name)) saved.emplace_back(name, value);
    }
    void TearDown() override
    {
        ::unsetenv("XDG_CONFIG_HOME");
        for (const auto& [name, value] : saved) ::setenv(name.c_str(), value.c_str(), 1);
    }
    std::vector<std::pair<std::string, std::string>> saved;
};

TEST_F(ForCurrentUserTest, UsesXdgConfigHomeElseHomeConfig)
{
    ::setenv("HOME", "/home/testeur", 1);
    ::setenv("XDG_CONFIG_HOME", "/srv/config", 1);
    EXPECT_EQ(Profile::ForCurrentUser().Directory(), fs::path("/srv/config/Orvane"));
    ::setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_EQ(Profile::ForCurrentUser().Directory(), fs::path("/home/testeur/.config/Orvane"));
    ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
    EXPECT_EQ(Profile::ForCurrentUser().Directory(), fs::path("/home/testeur/.config/Orvane"));
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(Profile::ForCurrentUser().Directory(), fs::path("/home/testeur/.config/Orvane"));
}

} // namespace
} // namespace qx::config
