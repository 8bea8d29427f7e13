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

enum CompactCode : std::int16_t {
    kWritten = 0,
    kSourceCannotOpen = 1,
    kArchiveCannotCreate = 2,
    kWriteFailed = 4,
    kNoMemory = 5,
    kVolumeFull = 7,
};

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
    if (sourcePath == nullptr) return kSourceCannotOpen;
    if (archivePath == nullptr) return kArchiveCannotCreate;
    MemberHeader header;
    // The name field holds at most 268 characters: a longer path is refused
    // before anything exists.
    if (!header.SetName(sourcePath)) return kSourceCannotOpen;
    const auto job = AllocBlockOf<CompressJob>();
    if (!job) return kNoMemory;
    const SlotTableReference slots;
    if (!slots.Held()) return kNoMemory;

    ScopedSlot source;
    if (!source.Open(sourcePath, kSourceOpenFlags)) return kSourceCannotOpen;
    if (NamesTheSource(source, archivePath)) return kArchiveCannotCreate;
    ScopedSlot archive;
    if (!archive.Open(archivePath, kArchiveCreateFlags)) return kArchiveCannotCreate;
    const MatchTables tree(job->tree);
    if (!tree.Allocated()) return kNoMemory;

    job->sourceSlot = source.get();
    job->archiveSlot = archive.get();
    const MemberResult result = WriteMember(*job, header);
    if (result == MemberResult::NoBlockBuffer) return kNoMemory;
    bool written = result == MemberResult::Written;
    if (written) {
        FileStamp stamp;
        if (GetSlotTime(source.get(), stamp)) SetSlotTime(archive.get(), stamp);
    }
    // Data the system could not store may show up only when it is closed.
    written = archive.Close() && written;
    if (written) return kWritten;
    return GetFreeDiskBytes(archivePath) >= kRoomOfAWritableVolume ? kWriteFailed : kVolumeFull;
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
