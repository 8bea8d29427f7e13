/*
 * The DLL's functions from the command line, for the scripts that compare
 * its archives with libqxcompress's:
 *   qxcompress_cli pack SOURCE ARCHIVE | unpack ARCHIVE DEST | screenshot FILE
 * The exit code is the function's status code.
 */
#include <stdio.h>
#include <string.h>

#include "qxcompress.h"
#include "screenshot_bitmap.h"

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "pack") == 0) return nfCompacte(0, argv[2], argv[3]);
    if (argc == 4 && strcmp(argv[1], "unpack") == 0) return nfDecompacte(0, 0, argv[2], argv[3]);
    if (argc == 3 && strcmp(argv[1], "screenshot") == 0) return qx_write_screenshot(argv[2]);
    fputs("usage: qxcompress_cli pack SOURCE ARCHIVE | unpack ARCHIVE DEST | screenshot FILE\n", stderr);
    return 64;
}
