// nfCompacte: packs one file into an archive.
#include "qxcompress.h"

#include "compress/archive_format.h"
#include "compress/platform/file_identity.h"
#include "compress/platform/file_slots.h"
#include "compress/platform/file_time.h"
#include "compress/platform/volume.h"
#include "compress/platform/memory_block.h"
#include "compress/write_member.h"

namespace qx::compress {
namespace {

// A volume with fewer bytes free (or none known) is taken to be full.
constexpr std::int32_t kRoomOfAWritableVolume = 5;

// The match tree's tables for the length of a scope.
class MatchTables {
public:
    explicit MatchTables(MatchTree& tree) : tree_(tree), allocated_(AllocMatchTables(tree)) {}
    ~MatchTables() { FreeMatchTables(tree_); }
    MatchTables(const MatchTables&) = delete;
    MatchTables& operator=(const MatchTables&) = delete;
    bool Allocated() const { return allocated_; }

private:
    MatchTree& tree_;
    bool allocated_;
};

// Whether `archivePath` names the open source under any name: creating the
// archive would empty the source before it is read.
bool NamesTheSource(const ScopedSlot& source, const char* archivePath)
{
    const auto archive = IdentifyPath(archivePath);
    return archive && archive == IdentifyHandle(SlotHandle(source.get()));
}

std::int16_t Compact(const char* sourcePath, const char* archivePath)
{
    if (sourcePath == nullptr) return QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN;
    if (archivePath == nullptr) return QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE;
    MemberHeader header;
    // The name field holds at most QXCOMPRESS_MAX_PATH_LENGTH characters: a
    // longer path is refused before anything exists.
    if (!header.SetName(sourcePath)) return QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN;
    const auto job = AllocBlockOf<CompressJob>();
    if (!job) return QXCOMPRESS_COMPACT_NO_MEMORY;
    const SlotTableReference slots;
    if (!slots.Held()) return QXCOMPRESS_COMPACT_NO_MEMORY;

    ScopedSlot source;
    if (!source.Open(sourcePath, kSourceOpenFlags)) return QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN;
    if (NamesTheSource(source, archivePath)) return QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE;
    ScopedSlot archive;
    if (!archive.Open(archivePath, kArchiveCreateFlags)) return QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE;
    const MatchTables tree(job->tree);
    if (!tree.Allocated()) return QXCOMPRESS_COMPACT_NO_MEMORY;

    job->sourceSlot = source.get();
    job->archiveSlot = archive.get();
    const MemberResult result = WriteMember(*job, header);
    if (result == MemberResult::NoBlockBuffer) return QXCOMPRESS_COMPACT_NO_MEMORY;
    bool written = result == MemberResult::Written;
    if (written) {
        if (const auto stamp = GetSlotTime(source.get())) SetSlotTime(archive.get(), *stamp);
    }
    // Data the system could not store may show up only when it is closed.
    written = archive.Close() && written;
    if (written) return QXCOMPRESS_COMPACT_WRITTEN;
    const auto freeBytes = GetFreeDiskBytes(archivePath);
    return freeBytes && *freeBytes >= kRoomOfAWritableVolume ? QXCOMPRESS_COMPACT_WRITE_FAILED
                                                             : QXCOMPRESS_COMPACT_VOLUME_FULL;
}

} // namespace
} // namespace qx::compress

// `reserved` is stored nowhere: every call takes its own reference on the
// slot table, so no call depends on another being in progress.
extern "C" QXCOMPRESS_API int16_t QXCOMPRESS_CALL nfCompacte(int32_t /*reserved*/, const char* sourcePath,
                                                             const char* archivePath)
{
    return qx::compress::Compact(sourcePath, archivePath);
}
