#include "compress/encoder_support.h"

#include <fstream>
#include <iterator>
#include <optional>

#include "compress/archive_format.h"
#include "compress/platform/file_slots.h"
#include "compress/platform/memory_block.h"
#include "qxcompress.h"

namespace qx::test {

using namespace qx::compress;

Bytes ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Packed PackWithWriteMember(const ScratchDir& dir, const Bytes& source, const PackSetting& setting)
{
    const std::string sourcePath = dir.File("source.bin");
    const std::string archivePath = dir.File("archive.qxr");
    WriteFileBytes(sourcePath, source);
    Packed packed;
    {
        std::optional<ScopedFileOps> files;
        if (setting.files) files.emplace(*setting.files);
        SlotTableReference table;
        ScopedSlot src;
        ScopedSlot arc;
        if (!table.Held() || !src.Open(sourcePath.c_str(), kSourceOpenFlags) ||
            !arc.Open(archivePath.c_str(), kArchiveCreateFlags))
            return packed;
        auto job = AllocBlockOf<CompressJob>();
        if (!job || !AllocMatchTables(job->tree)) return packed;
        job->sourceSlot = src.get();
        job->archiveSlot = arc.get();
        MemberHeader header;
        header.SetName(sourcePath);
        {
            std::optional<ScopedMemorySource> memory;
            if (setting.writeMemory) memory.emplace(*setting.writeMemory);
            packed.result = WriteMember(*job, header);
        }
        FreeMatchTables(job->tree);
    }
    packed.archive = ReadFileBytes(archivePath);
    return packed;
}

Bytes PackedData(const Bytes& archive)
{
    if (archive.size() < kArchiveOverhead) return {};
    return Bytes(archive.begin() + kDataOffset, archive.end() - kTrailerSize);
}

Bytes Extract(const ScratchDir& dir, const Bytes& archive, int& code)
{
    const std::string archivePath = dir.File("extract.qxr");
    const std::string outputPath = dir.File("extracted.bin");
    WriteFileBytes(archivePath, archive);
    WriteFileBytes(outputPath, {}); // a plain copy is written only over an existing file
    code = nfDecompacte(0, 0, archivePath.c_str(), outputPath.c_str());
    return ReadFileBytes(outputPath);
}

} // namespace qx::test
