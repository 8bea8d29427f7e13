/*
 * libqxcompress: single-member .QXR archives (lh5 coding).
 *
 * An archive holds exactly one file. It is either a packed archive (a lead
 * byte, a 283-byte header holding the method "-lh5-", the packed and source
 * sizes and the source path, the lh5 data and two zero bytes), or, when
 * packing would not make the file smaller, a plain copy of the source bytes.
 * Readers also accept stored members (method "-lh0-", the data unchanged) and,
 * for the size query only, tagged files (signature "MKALMORELZCS@" followed
 * by a big-endian size at offset 17).
 *
 * Paths are NUL-terminated byte strings in the system's single-byte code page.
 * Every call opens, works on and closes everything it uses before it returns;
 * no call needs another to come first. Calls must come from one thread at a
 * time: the library keeps a process-wide file table and last error unlocked.
 * No function reads or writes outside the strings it is given.
 */
#ifndef QXCOMPRESS_H
#define QXCOMPRESS_H

#include <stdint.h>

#if defined(_WIN32)
/* qxcompress.dll exports them through qxcompress.def: 32-bit standard-call
 * names "_lfTailleCompacte@8" (ordinal 1), "_nfCompacte@12" (2),
 * "_nfDecompacte@16" (3); 64-bit plain names with the same ordinals. */
#define QXCOMPRESS_API
#define QXCOMPRESS_CALL __stdcall
#else
#define QXCOMPRESS_API __attribute__((visibility("default")))
#define QXCOMPRESS_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The longest path nfCompacte stores and nfDecompacte writes to, in bytes. */
#define QXCOMPRESS_MAX_PATH_LENGTH 268

/*
 * nfCompacte: packs the file `sourcePath` into the archive `archivePath`.
 *
 *   reserved     ignored; pass 0. Every call takes its own reference on the
 *                library's file table, so any value works as 0 does.
 *   sourcePath   the file to pack; it must exist. Stored unchanged in the
 *                archive as the member's name, so at most
 *                QXCOMPRESS_MAX_PATH_LENGTH (268) bytes.
 *   archivePath  the archive to write; an existing file is replaced.
 *
 * Returns one of the codes below (only the low 16 bits are meaningful).
 *
 * Never deletes the archive it created, whatever the failure: a caller that
 * gets a non-zero code removes it. Never modifies the source. A read error in
 * the middle of the source ends the data there: the archive holds the bytes
 * read before it and the result is 0.
 */
enum qxcompress_compact_code {
    /* 0: the archive was written: packed, or a plain copy of the source when
     * packing does not pay (always for a source of 283 bytes or less; an
     * empty source gives an empty archive). The archive's last-write time is
     * the source's, to the even second below. */
    QXCOMPRESS_COMPACT_WRITTEN = 0,
    /* 1: the source cannot be opened, or its path is longer than
     * QXCOMPRESS_MAX_PATH_LENGTH bytes; no archive is created. */
    QXCOMPRESS_COMPACT_SOURCE_CANNOT_OPEN = 1,
    /* 2: the archive cannot be created, or it names the source file itself
     * (the same file through any name); nothing is created or emptied. */
    QXCOMPRESS_COMPACT_ARCHIVE_CANNOT_CREATE = 2,
    /* 4: writing the archive failed while its volume still had 5 bytes or
     * more free. */
    QXCOMPRESS_COMPACT_WRITE_FAILED = 4,
    /* 5: working memory cannot be allocated (an empty archive may stay). */
    QXCOMPRESS_COMPACT_NO_MEMORY = 5,
    /* 7: writing the archive failed and its volume has fewer than 5 bytes
     * free, or its free space cannot be determined. */
    QXCOMPRESS_COMPACT_VOLUME_FULL = 7
};

QXCOMPRESS_API int16_t QXCOMPRESS_CALL nfCompacte(int32_t reserved, const char* sourcePath, const char* archivePath);

/*
 * nfDecompacte: extracts the member of the archive `archivePath`.
 *
 *   reserved1, reserved2  ignored.
 *   archivePath           the archive to read; it is never modified.
 *   destination           where the output goes, or NULL:
 *     - NULL: a packed archive is extracted to the path stored in it, as it
 *       was given to nfCompacte. RISK: that path comes from whoever made the
 *       archive; it may be absolute or lead out of the current directory
 *       ("../x"), and an existing file of that name is replaced. Pass a
 *       destination for archives from elsewhere. A plain-copy archive with
 *       NULL needs no copy: nothing is written.
 *     - a path ending in "/", "\" or ":" (trailing spaces removed) is a
 *       directory: the output is that path followed by the last component
 *       of the stored name (the text after its last "/", "\" or ":").
 *     - any other path is the output file itself.
 *     For a plain-copy archive the destination is used as given: it must
 *     name an existing file, which receives the archive's bytes and is cut
 *     to their length. A destination equal to the archive path (letter case
 *     ignored) needs no copy.
 *
 * Returns one of the codes below (only the low 16 bits are meaningful).
 *
 * On any non-zero code for a packed archive, a partly written output is
 * deleted; an output that cannot be made safely (bad name, the archive
 * itself, too long) is never created. Nothing verifies decoded data beyond
 * the structure of the lh5 stream: the format has no checksum.
 */
enum qxcompress_extract_code {
    /* 0: extracted, or the plain-copy archive was copied or needed no copy. */
    QXCOMPRESS_EXTRACT_DONE = 0,
    /* 1: the archive cannot be opened. */
    QXCOMPRESS_EXTRACT_ARCHIVE_CANNOT_OPEN = 1,
    /* 2: extraction failed: the output cannot be created or written, working
     * memory is missing, the packed data is damaged or shorter than its
     * header says, the output path is longer than QXCOMPRESS_MAX_PATH_LENGTH
     * bytes or its last component is empty, "." or "..", the output would be
     * the archive itself; or a plain-copy archive cannot be copied. */
    QXCOMPRESS_EXTRACT_FAILED = 2,
    /* 4: the first byte of the archive cannot be read (a directory, say). */
    QXCOMPRESS_EXTRACT_FIRST_BYTE_UNREADABLE = 4,
    /* 7: the output volume is full. */
    QXCOMPRESS_EXTRACT_VOLUME_FULL = 7
};

QXCOMPRESS_API int16_t QXCOMPRESS_CALL nfDecompacte(int32_t reserved1, int32_t reserved2, const char* archivePath,
                                                    const char* destination);

/*
 * lfTailleCompacte: the size an archive file declares.
 *
 *   reserved  ignored.
 *   path      the file to examine; it is only read.
 *
 * Returns:
 *   N + 286   for a packed archive or stored member with packed size N: the
 *             archive's full length as its header gives it.
 *   size      for a tagged file: its big-endian size field (non-zero).
 *   or one of the negative codes below.
 */
enum qxcompress_size_code {
    /* -1: the file cannot be opened. */
    QXCOMPRESS_SIZE_CANNOT_OPEN = -1,
    /* -2: its first byte cannot be read, or it is neither a packed archive
     * nor a tagged file (a plain copy included), or a tagged file's size is 0. */
    QXCOMPRESS_SIZE_NOT_AN_ARCHIVE = -2
};

QXCOMPRESS_API int32_t QXCOMPRESS_CALL lfTailleCompacte(int32_t reserved, const char* path);

#if !defined(_WIN32)
/*
 * llTailleSource (libqxcompress only; qxcompress.dll exports just the three
 * functions above): the size of the file a packed archive holds, as its header
 * gives it; what a caller needs to know before extracting (whether the
 * archive holds a member at all, and the room its output takes).
 *
 *   path  the archive to examine; it is only read.
 *
 * Returns:
 *   size  for a packed archive or stored member: its source size (0 or more).
 *   QXCOMPRESS_SIZE_CANNOT_OPEN     the file cannot be opened.
 *   QXCOMPRESS_SIZE_NOT_AN_ARCHIVE  its first byte cannot be read, or its
 *         header names no method: a plain copy, whose own length is the
 *         source's, or a tagged file.
 */
QXCOMPRESS_API int64_t QXCOMPRESS_CALL llTailleSource(const char* path);
#endif


#ifdef __cplusplus
}
#endif

#endif /* QXCOMPRESS_H */
