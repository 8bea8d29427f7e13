// Fuzz target: any bytes as an archive file, through the size query and the
// extractor. Beyond not crashing (the sanitizers watch every table and tree
// write), it checks the extractor's promises: a failed extraction leaves no
// output behind, a successful one gives the size the header states.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "compress/archive_format.h"
#include "compress/platform/file_ops.h"
#include "qxcompress.h"
#include "fuzz/fuzz_workspace.h"
#include "support/faulty_file_ops.h"

namespace {

// Outputs are cut off as a full volume beyond this, so a header claiming
// gigabytes of zeros ends quickly.
constexpr std::uint64_t kOutputLimit = 1 << 20;

void Require(bool condition, const char* what) { qx::fuzz::Require(condition, "archive fuzz", what); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const qx::fuzz::FuzzWorkspace workspace("qx-archive-fuzz");
    static const std::string output = workspace.File("output");
    const std::string archive = workspace.WriteInput(data, size);
    qx::compress::MemberHeader header;
    if (size > qx::compress::kHeaderOffset)
        std::copy_n(data + qx::compress::kHeaderOffset,
                    std::min(size - qx::compress::kHeaderOffset, qx::compress::kHeaderSize), header.bytes.begin());
    const bool packed = header.GetMethod() != qx::compress::Method::None;

    const std::int32_t length = lfTailleCompacte(0, archive.c_str());
    if (packed) {
        // A length beyond 31 bits is never wrapped: it has its own code.
        const std::int64_t full = std::int64_t{header.PackedSize()} + 286;
        Require(length == (full > INT32_MAX ? std::int64_t{QXCOMPRESS_SIZE_TOO_LARGE} : full), "size of a packed archive");
    }

    qx::test::FaultyFileOps limited;
    limited.FailWritesAfter(kOutputLimit, qx::test::WriteFault::DiskFull);
    const qx::compress::ScopedFileOps use(limited);
    std::filesystem::remove(output);
    // A plain copy needs an existing destination.
    if (!packed) std::ofstream(output, std::ios::binary).put('x');
    const int code = nfDecompacte(0, 0, archive.c_str(), output.c_str());
    if (packed) {
        const bool exists = std::filesystem::exists(output);
        Require(code == 0 ? exists : !exists, "a failed extraction left its output, or a success made none");
        if (code == 0) Require(std::filesystem::file_size(output) == header.SourceSize(), "output size");
    } else {
        Require(code == 0, "a plain copy failed");
        Require(std::filesystem::file_size(output) == size, "plain copy size");
    }
    return 0;
}
