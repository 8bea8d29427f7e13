// Writes the seed corpus of the PE version fuzz target into the directory
// given as argument: small images made by the PE writer.
#include "support/pe_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

using namespace qx::test;

void Write(const std::filesystem::path& dir, const char* name, const Bytes& bytes)
{
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes Image(const VersionResourceSpec& wanted, PeKind kind = PeKind::Pe32)
{
    return BuildPeImage({kind, EncodeBlock(VersionInfoBlock(wanted)), 1}).bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: sysinfo_pe_corpus DIR\n", stderr);
        return 64;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);

    Write(dir, "pe32", PeWithVersion("5.50.1"));
    Write(dir, "pe32plus", PeWithVersion("5.50", PeKind::Pe32Plus));
    Write(dir, "no-version-resource", BuildPeImage({PeKind::Pe32, {}, 1}).bytes);
    Write(dir, "resource-only", EncodeBlock(VersionInfoBlock(SimpleVersion("5.50"))));

    VersionResourceSpec two;
    two.translations = {0x04B00409, 0x04E4040C};
    two.tables = {{0x040C, 0x04E4, {{"FileVersion", "fr"}}}, {0x0409, 0x04B0, {{"FileVersion", "\xE2\x82\xAC 1"}}}};
    two.order = VersionResourceSpec::Order::VarInfoFirst;
    Write(dir, "two-translations", Image(two, PeKind::Pe32Plus));

    VersionResourceSpec noVar = SimpleVersion("5.50");
    noVar.withVarFileInfo = false;
    Write(dir, "no-varfileinfo", Image(noVar));
    return 0;
}
