/*
 * A 24-bit bottom-up BMP that looks like a screen capture: a desktop colour,
 * two windows with title bars and lines of "text". Written in C so that the
 * C caller and the C++ tests use the same picture.
 */
#ifndef QX_SCREENSHOT_BITMAP_H
#define QX_SCREENSHOT_BITMAP_H

#include <stdint.h>
#include <stdio.h>

enum { kShotWidth = 640, kShotHeight = 400 };

static void qx_put_le(unsigned char* at, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) at[i] = (unsigned char)(value >> (8 * i));
}

/* The colour of pixel (x, y), counted from the top left. */
static uint32_t qx_shot_pixel(int x, int y)
{
    const int inWindow = x >= 40 && x < 420 && y >= 30 && y < 330;
    const int inDialog = x >= 300 && x < 600 && y >= 150 && y < 370;
    if (inDialog) {
        if (y < 168) return 0x000080;
        return ((y - 168) % 14 < 8 && (x * 7 + y) % 11 < 6 && x < 560) ? 0x000000 : 0xC0C0C0;
    }
    if (inWindow) {
        if (y < 48) return 0x0000A8;
        return ((y - 48) % 16 < 9 && (x * 3 + y / 16) % 13 < 8 && x < 400) ? 0x202020 : 0xFFFFFF;
    }
    return 0x008080;
}

/* Writes the picture to `path`; 0 on success. */
static int qx_write_screenshot(const char* path)
{
    const uint32_t rowBytes = (kShotWidth * 3 + 3) & ~3u;
    const uint32_t pixelBytes = rowBytes * kShotHeight;
    unsigned char header[54] = {'B', 'M'};
    qx_put_le(header + 2, 54 + pixelBytes, 4);
    qx_put_le(header + 10, 54, 4);
    qx_put_le(header + 14, 40, 4);
    qx_put_le(header + 18, kShotWidth, 4);
    qx_put_le(header + 22, kShotHeight, 4);
    qx_put_le(header + 26, 1, 2);
    qx_put_le(header + 28, 24, 2);
    qx_put_le(header + 34, pixelBytes, 4);
    FILE* file = fopen(path, "wb");
    if (file == NULL) return 1;
    int failed = fwrite(header, 1, sizeof header, file) != sizeof header;
    unsigned char row[kShotWidth * 3 + 4] = {0};
    for (int y = kShotHeight - 1; y >= 0 && !failed; --y) {
        for (int x = 0; x < kShotWidth; ++x) qx_put_le(row + 3 * x, qx_shot_pixel(x, y), 3);
        failed = fwrite(row, 1, rowBytes, file) != rowBytes;
    }
    return fclose(file) != 0 || failed;
}

#endif
