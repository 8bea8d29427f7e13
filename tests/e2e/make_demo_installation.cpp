// Makes an Orvane installation directory for trying QXBêta out and for its
// end-to-end tests: the environment's executable, product files carrying
// version resources, and a stand-in for the 16-bit DLL lister.
//
//   qx_demo_installation DIR

#include "support/pe_writer.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct ProductFile {
    const char* name;
    const char* version;
};

constexpr ProductFile kFiles[] = {
    {"orvane55.exe", "5.50.0.1"}, {"QXEDIT.EXE", "5.50.2.7"}, {"QXDEBUG.EXE", "5.50.1.0"},
    {"QXBUILD.EXE", "5.48.3.1"},  {"QXRT32.DLL", "5.50.3.2"}, {"QXKERN32.DLL", "5.49.0.0"},
    {"QXUSER32.DLL", "5.50.0.9"},
};

// "lstdll16.exe DEST" writes the loaded 16-bit DLLs to DEST, each as a line
// with its path and a line with its version.
constexpr const char* kLister =
    "#!/bin/sh\n"
    "# Stands in for the environment's 16-bit DLL lister.\n"
    "printf 'C:\\\\ORVANE55\\\\QXRT16.DLL\\r\\n5.50.0.3\\r\\n"
    "C:\\\\ORVANE55\\\\QXKERN16.DLL\\r\\n5.50.0.3\\r\\n"
    "C:\\\\WINDOWS\\\\SYSTEM\\\\COMMDLG.DLL\\r\\n3.10\\r\\n' > \"$1\"\n";

bool WriteFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    const fs::path dir = argv[1];
    std::error_code error;
    fs::create_directories(dir, error);
    for (const ProductFile& file : kFiles) {
        const qx::test::Bytes image = qx::test::PeWithVersion(file.version);
        if (!WriteFile(dir / file.name, std::string(image.begin(), image.end()))) return 1;
    }
    const fs::path lister = dir / "lstdll16.exe";
    if (!WriteFile(lister, kLister)) return 1;
    fs::permissions(lister, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec,
                    error);
    std::printf("%s\n", dir.c_str());
    return error ? 1 : 0;
}
