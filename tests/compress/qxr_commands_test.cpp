// qxr pack, unpack and size as a user runs them, from QX_BIN_DIR.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <sys/wait.h>

#include "archive_files.h"
#include "support/archive_fixtures.h"
#include "support/lh5_stream_builder.h"
#include "support/scratch_dir.h"

namespace {

using qx::test::Bytes;
using qx::test::Exists;
using qx::test::ReadBytes;
using qx::test::WriteBytes;

struct Outcome {
    int exitCode;
    std::string out;
    std::string err;
};

class QxrCommand : public ::testing::Test {
protected:
    // Runs qxr with `arguments` (already quoted) in the scratch directory.
    Outcome Qxr(const std::string& arguments) const
    {
        const char* bin = std::getenv("QX_BIN_DIR");
        const std::string command = "cd '" + dir_.Path().string() + "' && '" + std::string(bin ? bin : ".") +
                                    "/qxr' " + arguments + " >'" + dir_.File(".out") + "' 2>'" + dir_.File(".err") + "'";
        const int status = std::system(command.c_str());
        const Bytes out = ReadBytes(dir_.File(".out"));
        const Bytes err = ReadBytes(dir_.File(".err"));
        std::filesystem::remove(dir_.File(".out"));
        std::filesystem::remove(dir_.File(".err"));
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, std::string(out.begin(), out.end()),
                std::string(err.begin(), err.end())};
    }
    std::string Put(const std::string& name, const Bytes& bytes) const
    {
        WriteBytes(dir_.File(name), bytes);
        return dir_.File(name);
    }
    static Bytes Repeated(std::uint8_t c, std::uint16_t count, const std::string& name)
    {
        qx::test::BitWriter w;
        qx::test::PutBlockHeader(w, qx::test::BlockHeader{.items = count, .symbolOnly = c});
        return qx::test::PackedArchive("-lh5-", count, name, w.Finish());
    }

    qx::test::ScratchDir dir_;
};

TEST_F(QxrCommand, UnpackWithoutDestinationUsesOnlyTheStoredFileName)
{
    std::filesystem::create_directory(dir_.File("work"));
    Put("a.qxr", Repeated('r', 1234, "../../escape/C:\\TEMP\\REPORT.TMP"));
    const Outcome run = Qxr("unpack a.qxr");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(ReadBytes(dir_.File("REPORT.TMP")), Bytes(1234, 'r'));
    EXPECT_EQ(run.err, "");
}

TEST_F(QxrCommand, UnpackWithDestinationPassesItUnchanged)
{
    Put("a.qxr", Repeated('d', 10, "stored/name.txt"));
    std::filesystem::create_directory(dir_.File("out"));
    EXPECT_EQ(Qxr("unpack a.qxr out/").exitCode, 0);
    EXPECT_EQ(ReadBytes(dir_.File("out/name.txt")), Bytes(10, 'd'));
    EXPECT_EQ(Qxr("unpack a.qxr renamed.txt").exitCode, 0);
    EXPECT_EQ(ReadBytes(dir_.File("renamed.txt")), Bytes(10, 'd'));
}

TEST_F(QxrCommand, UnpackOfAPlainCopyWithoutDestinationWritesNothing)
{
    Put("plain.qxr", qx::test::BytesOf("not packed"));
    const Outcome run = Qxr("unpack plain.qxr");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.out.find("non compressée"), std::string::npos) << run.out;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.Path()), {}), 1);
}

TEST_F(QxrCommand, UnpackFailuresExitWithTheCodeAndOneFrenchLine)
{
    std::filesystem::create_directory(dir_.File("dir.qxr"));
    Put("dots.qxr", Repeated('x', 10, "a/.."));
    struct Case {
        const char* arguments;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {"unpack missing.qxr", 66, "introuvable"},
        {"unpack dots.qxr", 65, "l'extraction a échoué"},
        {"unpack dir.qxr", 66, "c'est un dossier"},
        {"unpack dots.qxr no/such/dir/", 73, "no/such/dir"},
    };
    for (const Case& c : cases) {
        const Outcome run = Qxr(c.arguments);
        EXPECT_EQ(run.exitCode, c.code) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST_F(QxrCommand, PackThenUnpackGivesTheFileBack)
{
    const Bytes text = qx::test::ReportLikeText(50000, 21);
    Put("rapport.txt", text);
    const Outcome pack = Qxr("pack rapport.txt rapport.qxr");
    EXPECT_EQ(pack.exitCode, 0) << pack.err;
    EXPECT_EQ(pack.err, "");
    EXPECT_LT(ReadBytes(dir_.File("rapport.qxr")).size(), text.size());
    std::filesystem::remove(dir_.File("rapport.txt"));
    EXPECT_EQ(Qxr("unpack rapport.qxr").exitCode, 0);
    EXPECT_EQ(ReadBytes(dir_.File("rapport.txt")), text);
}

TEST_F(QxrCommand, PackFailuresExitWithTheCodeAndOneFrenchLine)
{
    Put("source.txt", qx::test::ReportLikeText(5000, 22));
    struct Case {
        std::string arguments;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {"pack missing.txt a.qxr", 66, "\"missing.txt\" : impossible d'ouvrir le fichier source : fichier ou dossier introuvable"},
        {"pack " + std::string(300, 'x') + " a.qxr", 66, "268 octets"},
        {"pack . a.qxr", 66, "\".\" : impossible d'ouvrir le fichier source : c'est un dossier"},
        {"pack source.txt no/such/dir/a.qxr", 73, "impossible de créer l'archive : dossier \"no/such/dir\""},
        {"pack source.txt source.txt", 73, "le fichier source lui-même"},
    };
    for (const Case& c : cases) {
        const Outcome run = Qxr(c.arguments);
        EXPECT_EQ(run.exitCode, c.code) << c.arguments;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_EQ(ReadBytes(dir_.File("source.txt")), qx::test::ReportLikeText(5000, 22));
    EXPECT_FALSE(Exists(dir_.File("a.qxr")));
}

TEST_F(QxrCommand, SizePrintsTheLengthOrExitsWith66Or65)
{
    Put("a.qxr", Repeated('s', 10, "n"));
    const Outcome packed = Qxr("size a.qxr");
    EXPECT_EQ(packed.exitCode, 0);
    EXPECT_EQ(packed.out, std::to_string(ReadBytes(dir_.File("a.qxr")).size()) + "\n");
    Put("plain", qx::test::BytesOf("plain text"));
    const Outcome plain = Qxr("size plain");
    EXPECT_EQ(plain.exitCode, 65);
    EXPECT_NE(plain.err.find("ni une archive"), std::string::npos);
    const Outcome missing = Qxr("size missing");
    EXPECT_EQ(missing.exitCode, 66);
    EXPECT_NE(missing.err.find("impossible d'ouvrir"), std::string::npos);
}

TEST_F(QxrCommand, SizeBeyond31BitsIsAnErrorOfItsOwn)
{
    Put("huge.qxr", qx::test::PackedArchive("-lh5-", 0xFFFFFFFF, 1, "n", Bytes(10, 'h')));
    const Outcome run = Qxr("size huge.qxr");
    EXPECT_EQ(run.exitCode, 65);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("dépasse 2 147 483 647 octets"), std::string::npos) << run.err;
}

TEST_F(QxrCommand, UnpackOfAPlainCopyCreatesDestAndTakesItAwayOnFailure)
{
    Put("plain.qxr", qx::test::BytesOf("not packed at all"));
    EXPECT_EQ(Qxr("unpack plain.qxr new.txt").exitCode, 0);
    EXPECT_EQ(ReadBytes(dir_.File("new.txt")), qx::test::BytesOf("not packed at all"));
    EXPECT_EQ(Qxr("unpack plain.qxr missing/new.txt").exitCode, 73);
    EXPECT_FALSE(Exists(dir_.File("missing")));
}

TEST_F(QxrCommand, UnpackIntoAnExistingFolderWithoutSlash)
{
    Put("a.qxr", Repeated('f', 10, "C:\\TEMP\\X.TMP"));
    std::filesystem::create_directory(dir_.File("out"));
    EXPECT_EQ(Qxr("unpack a.qxr out").exitCode, 0);
    EXPECT_EQ(ReadBytes(dir_.File("out/X.TMP")), Bytes(10, 'f'));
}

TEST_F(QxrCommand, ListShowsMethodSizesAndStoredName)
{
    Put("a.qxr", Repeated('l', 77, "C:\\TEMP\\RAPPORT.TMP"));
    const Outcome packed = Qxr("list a.qxr");
    EXPECT_EQ(packed.exitCode, 0) << packed.err;
    EXPECT_NE(packed.out.find("lh5"), std::string::npos) << packed.out;
    EXPECT_NE(packed.out.find(" 77  "), std::string::npos) << packed.out;
    EXPECT_NE(packed.out.find("C:\\TEMP\\RAPPORT.TMP"), std::string::npos) << packed.out;
    EXPECT_NE(packed.out.find("Pas un rapport"), std::string::npos) << packed.out;
    Put("plain", qx::test::BytesOf("plain text"));
    const Outcome plain = Qxr("list plain");
    EXPECT_EQ(plain.exitCode, 0) << plain.err;
    EXPECT_NE(plain.out.find("copie simple"), std::string::npos) << plain.out;
}

TEST_F(QxrCommand, StandardOutputThatCannotBeWrittenIsAFailure)
{
    Put("a.qxr", Repeated('s', 10, "n"));
    for (const char* command : {"size a.qxr", "list a.qxr", "--help", "--version", "size --help"}) {
        const char* bin = std::getenv("QX_BIN_DIR");
        const std::string line = "cd '" + dir_.Path().string() + "' && '" + std::string(bin ? bin : ".") + "/qxr' " +
                                 command + " >/dev/full 2>/dev/null";
        const int status = std::system(line.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 73) << command;
    }
}

TEST_F(QxrCommand, HelpVersionAndOptions)
{
    for (const char* command : {"pack", "unpack", "size", "show", "extract", "list", "sysinfo"}) {
        for (const char* help : {" --help", " -h"}) {
            const Outcome run = Qxr(std::string(command) + help);
            EXPECT_EQ(run.exitCode, 0) << command;
            EXPECT_NE(run.out.find(std::string("Usage : qxr ") + command), std::string::npos) << run.out;
            EXPECT_NE(run.out.find("Codes de sortie"), std::string::npos);
            EXPECT_NE(run.out.find(" 73   "), std::string::npos);
        }
    }
    const Outcome help = Qxr("-h");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("Commandes :"), std::string::npos);
    const Outcome version = Qxr("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_NE(version.out.find("5.50J"), std::string::npos);
    // "--" ends the options: a name that begins with "-".
    Put("-a.qxr", Repeated('m', 10, "minus.txt"));
    EXPECT_EQ(Qxr("unpack -a.qxr").exitCode, 64);
    EXPECT_EQ(Qxr("unpack -- -a.qxr").exitCode, 0);
    EXPECT_EQ(ReadBytes(dir_.File("minus.txt")), Bytes(10, 'm'));
    EXPECT_EQ(Qxr("frobnicate").exitCode, 64);
    EXPECT_EQ(Qxr("unpack").exitCode, 64);
    EXPECT_EQ(Qxr("size a b").exitCode, 64);
    EXPECT_EQ(Qxr("pack onlyone").exitCode, 64);
}

// The exit codes "qxr --help" lists, and those of the manual pages, French
// and English.
TEST_F(QxrCommand, HelpAndManualPagesListTheSameExitCodes)
{
    // Numbers that start a line of `text` after `before` (spaces, or ".B ").
    const auto codesIn = [](const std::string& text, const std::string& before) {
        std::set<int> codes;
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);) {
            const std::size_t at = line.find_first_not_of(' ');
            if (at == std::string::npos || line.compare(before.empty() ? at : 0, before.size(), before) != 0) continue;
            const std::size_t digits = before.empty() ? at : before.size();
            const std::size_t end = line.find_first_not_of("0123456789", digits);
            if (end == digits) continue;
            if (before.empty() && line.compare(end, 3, "   ") != 0) continue;
            if (!before.empty() && end != std::string::npos) continue;
            codes.insert(std::stoi(line.substr(digits, end - digits)));
        }
        return codes;
    };
    const std::string helpText = Qxr("--help").out;
    const std::set<int> help = codesIn(helpText.substr(helpText.find("Codes de sortie")), "");
    EXPECT_EQ(help, (std::set<int>{0, 64, 65, 66, 70, 71, 73}));
    const char* source = std::getenv("QX_SOURCE_DIR");
    for (const char* page : {"/packaging/man/qxr.1", "/packaging/man/en/qxr.1"}) {
        const Bytes bytes = ReadBytes(std::string(source ? source : ".") + page);
        const std::string text(bytes.begin(), bytes.end());
        std::size_t section = text.find("\n.SH CODES DE SORTIE");
        if (section == std::string::npos) section = text.find("\n.SH EXIT STATUS");
        ASSERT_NE(section, std::string::npos) << page;
        const std::string codes = text.substr(section, text.find("\n.SH ", section + 1) - section);
        EXPECT_EQ(codesIn(codes, ".B "), help) << page;
    }
}

} // namespace
