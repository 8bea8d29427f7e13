/* The library's C contract, one row per status code of its functions, from
 * a C program linked against the installed library. Each row makes the
 * situation for real in a scratch folder given as the only argument.
 * Codes 5 (no memory) and 7 (full volume) need a fault layer or a mount and
 * are covered by the library's own tests. */
#define _POSIX_C_SOURCE 200809L
#include <qxcompress.h>

#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

static char g_dir[512];
static int g_failures;

static const char* At(const char* name)
{
    static char paths[8][768];
    static int next;
    char* path = paths[next++ % 8];
    snprintf(path, sizeof paths[0], "%s/%s", g_dir, name);
    return path;
}

static void Write(const char* path, const void* bytes, size_t n)
{
    FILE* f = fopen(path, "wb");
    if (!f || fwrite(bytes, 1, n, f) != n || fclose(f) != 0) {
        perror(path);
        exit(2);
    }
}

static void Check(const char* row, long long got, long long wanted)
{
    printf("%-58s %6lld %s\n", row, got, got == wanted ? "ok" : "FAILED");
    if (got != wanted) {
        printf("    wanted %lld\n", wanted);
        ++g_failures;
    }
}

static int Exists(const char* path)
{
    struct stat info;
    return lstat(path, &info) == 0;
}

/* A packed archive header with the given sizes and no data. */
static void PackedHeader(const char* path, unsigned packed, unsigned source)
{
    unsigned char bytes[286] = {0x20, '-', 'l', 'h', '5', '-', 0};
    int i;
    for (i = 0; i < 4; ++i) {
        bytes[7 + i] = (unsigned char)(packed >> (8 * i));
        bytes[11 + i] = (unsigned char)(source >> (8 * i));
    }
    memcpy(bytes + 15, "name.txt", 8);
    Write(path, bytes, sizeof bytes);
}

/* Writes that fail with room on the volume: the file size limit. */
static void LimitFileSize(rlim_t bytes)
{
    struct rlimit limit = {bytes, bytes};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
}

int main(int argc, char** argv)
{
    static char text[200000];
    size_t i;
    unsigned char tagged[30] = "MKALMORELZCS@";
    if (argc != 2 || strlen(argv[1]) > 400) return 2;
    strcpy(g_dir, argv[1]);
    unsigned seed = 14;
    /* Letters at random: the archive is far larger than the file size limit below. */
    for (i = 0; i < sizeof text; ++i) {
        seed = seed * 1103515245u + 12345u;
        text[i] = (char)('a' + (seed >> 16) % 26);
    }
    Write(At("source.txt"), text, sizeof text);
    Write(At("plain.txt"), "tiny", 4);
    mkdir(At("folder"), 0700);
    mkfifo(At("fifo"), 0600);

    Check("nfCompacte: written", nfCompacte(0, At("source.txt"), At("a.qxr")), QXCOMPRESS_COMPACT_WRITTEN);
    Check("nfCompacte: missing source", nfCompacte(0, At("missing"), At("b.qxr")), QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN);
    Check("nfCompacte: source is a directory", nfCompacte(0, At("folder"), At("b.qxr")), QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN);
    Check("nfCompacte: source is a FIFO without writer", nfCompacte(0, At("fifo"), At("b.qxr")), QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN);
    Check("nfCompacte: ... and no archive was created", Exists(At("b.qxr")), 0);
    Check("nfCompacte: archive in a missing folder", nfCompacte(0, At("source.txt"), At("none/b.qxr")), QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE);
    Check("nfCompacte: archive is the source", nfCompacte(0, At("source.txt"), At("source.txt")), QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE);
    Check("nfCompacte: archive is a directory", nfCompacte(0, At("source.txt"), At("folder")), QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE);
    Check("nfCompacte: archive is a FIFO", nfCompacte(0, At("source.txt"), At("fifo")), QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE);

    Check("nfDecompacte: extracted", nfDecompacte(0, 0, At("a.qxr"), At("out.txt")), QXCOMPRESS_EXTRACT_DONE);
    Check("nfDecompacte: plain copy onto an existing file", nfDecompacte(0, 0, At("plain.txt"), At("out.txt")), QXCOMPRESS_EXTRACT_DONE);
    Check("nfDecompacte: missing archive", nfDecompacte(0, 0, At("missing"), At("x")), QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN);
    Check("nfDecompacte: archive is a directory", nfDecompacte(0, 0, At("folder"), At("x")), QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN);
    Check("nfDecompacte: archive is a FIFO without writer", nfDecompacte(0, 0, At("fifo"), At("x")), QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN);
    Check("nfDecompacte: output in a missing folder", nfDecompacte(0, 0, At("a.qxr"), At("none/x")), QXCOMPRESS_EXTRACT_FAILED);
    Check("nfDecompacte: output is a FIFO", nfDecompacte(0, 0, At("a.qxr"), At("fifo")), QXCOMPRESS_EXTRACT_FAILED);
    Check("nfDecompacte: plain copy onto a FIFO", nfDecompacte(0, 0, At("plain.txt"), At("fifo")), QXCOMPRESS_EXTRACT_FAILED);
    PackedHeader(At("short.qxr"), 1000, 5000);
    Check("nfDecompacte: data shorter than the header says", nfDecompacte(0, 0, At("short.qxr"), At("y")), QXCOMPRESS_EXTRACT_FAILED);
    Check("nfDecompacte: ... and the output is deleted", Exists(At("y")), 0);
    Check("nfDecompacte: first byte unreadable", nfDecompacte(0, 0, "/proc/self/mem", At("z")), QXCOMPRESS_EXTRACT_FIRST_BYTE_UNREADABLE);

    Check("lfTailleCompacte: packed archive, its length", lfTailleCompacte(0, At("short.qxr")), 1286);
    for (i = 0; i < 4; ++i) tagged[17 + i] = (unsigned char)(0x01020304u >> (8 * (3 - i)));
    Write(At("tagged"), tagged, sizeof tagged);
    Check("lfTailleCompacte: tagged file, its size", lfTailleCompacte(0, At("tagged")), 0x01020304);
    Check("lfTailleCompacte: missing file", lfTailleCompacte(0, At("missing")), QXCOMPRESS_SIZE_CANNOT_OPEN);
    Check("lfTailleCompacte: a directory", lfTailleCompacte(0, At("folder")), QXCOMPRESS_SIZE_CANNOT_OPEN);
    Check("lfTailleCompacte: a FIFO without writer", lfTailleCompacte(0, At("fifo")), QXCOMPRESS_SIZE_CANNOT_OPEN);
    Check("lfTailleCompacte: plain copy", lfTailleCompacte(0, At("plain.txt")), QXCOMPRESS_SIZE_NOT_AN_ARCHIVE);
    Check("lfTailleCompacte: first byte unreadable", lfTailleCompacte(0, "/proc/self/mem"), QXCOMPRESS_SIZE_NOT_AN_ARCHIVE);
    PackedHeader(At("huge.qxr"), 0xFFFFFFFFu, 1);
    Check("lfTailleCompacte: length beyond 31 bits", lfTailleCompacte(0, At("huge.qxr")), QXCOMPRESS_SIZE_TOO_LARGE);
    Check("llTailleSource: packed archive, its source size", llTailleSource(At("short.qxr")), 5000);
    PackedHeader(At("big-source.qxr"), 10, 0xFFFFFFFFu);
    Check("llTailleSource: a 32-bit source size fits", llTailleSource(At("big-source.qxr")), 0xFFFFFFFFll);
    Check("llTailleSource: a FIFO without writer", llTailleSource(At("fifo")), QXCOMPRESS_SIZE_CANNOT_OPEN);
    Check("llTailleSource: plain copy", llTailleSource(At("plain.txt")), QXCOMPRESS_SIZE_NOT_AN_ARCHIVE);

    /* Last: the file size limit stays for the rest of the process. */
    LimitFileSize(4096);
    Check("nfDecompacte: a write fails (volume not full)", nfDecompacte(0, 0, At("a.qxr"), At("w")), QXCOMPRESS_EXTRACT_FAILED);
    Check("nfCompacte: a write fails while the volume has room", nfCompacte(0, At("source.txt"), At("c.qxr")), QXCOMPRESS_COMPACT_WRITE_FAILED);

    printf("%d failed\n", g_failures);
    return g_failures == 0 ? 0 : 1;
}
