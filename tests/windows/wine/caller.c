/*
 * A Windows program as the environment's programs use the library: it loads
 * qxcompress.dll at run time, finds the three functions by their decorated
 * names and by ordinal, packs and unpacks a screenshot bitmap and, with a
 * window of its own active, gets the message that announces an extraction.
 */
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "screenshot_bitmap.h"

typedef int32_t(__stdcall* SizeFn)(int32_t, const char*);
typedef int16_t(__stdcall* CompactFn)(int32_t, const char*, const char*);
typedef int16_t(__stdcall* ExtractFn)(int32_t, int32_t, const char*, const char*);

enum { kExtractedMessage = WM_USER + 150 };

static int g_failed;

static void expect(int ok, const char* what)
{
    if (!ok) {
        ++g_failed;
        printf("FAILED: %s\n", what);
    }
}

/* FARPROC stands for any function: the cast goes through the generic
 * function type, as the compiler wants it. */
typedef void (*AnyFn)(void);

/* The export of that name, which must be the one of that ordinal; neither
 * the plain name nor the name without its leading underscore is exported. */
static FARPROC find(HMODULE dll, const char* name, const char* plain, WORD ordinal)
{
    FARPROC byName = GetProcAddress(dll, name);
    FARPROC byOrdinal = GetProcAddress(dll, MAKEINTRESOURCEA(ordinal));
    char what[96];
    snprintf(what, sizeof what, "%s is exported as ordinal %u", name, ordinal);
    expect(byName != NULL && byName == byOrdinal, what);
    snprintf(what, sizeof what, "%s is exported under its decorated name only", name);
    expect(GetProcAddress(dll, plain) == NULL && GetProcAddress(dll, name + 1) == NULL, what);
    return byOrdinal;
}

static long file_size(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return -1;
    return (long)data.nFileSizeLow;
}

static int same_files(const char* a, const char* b)
{
    FILE* fa = fopen(a, "rb");
    FILE* fb = fopen(b, "rb");
    int same = fa != NULL && fb != NULL;
    while (same) {
        int ca = fgetc(fa), cb = fgetc(fb);
        same = ca == cb;
        if (ca == EOF) break;
    }
    if (fa) fclose(fa);
    if (fb) fclose(fb);
    return same;
}

static LRESULT CALLBACK window_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

/* A window of our own, shown and active; NULL when the system has no desktop. */
static HWND active_window(void)
{
    WNDCLASSA wc;
    memset(&wc, 0, sizeof wc);
    wc.lpfnWndProc = window_proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "QxCallerWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("QxCallerWindow", "caller", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL,
                                wc.hInstance, NULL);
    if (window == NULL) return NULL;
    ShowWindow(window, SW_SHOW);
    SetActiveWindow(window);
    return window;
}

/* With "--window" the program must get an active window (a desktop is there). */
int main(int argc, char** argv)
{
    const int needsWindow = argc == 2 && strcmp(argv[1], "--window") == 0;
    HMODULE dll = LoadLibraryA("qxcompress.dll");
    expect(dll != NULL, "LoadLibraryA finds qxcompress.dll");
    if (dll == NULL) return 1;
    SizeFn size = (SizeFn)(AnyFn)find(dll, "_lfTailleCompacte@8", "lfTailleCompacte", 1);
    CompactFn compact = (CompactFn)(AnyFn)find(dll, "_nfCompacte@12", "nfCompacte", 2);
    ExtractFn extract = (ExtractFn)(AnyFn)find(dll, "_nfDecompacte@16", "nfDecompacte", 3);
    expect(GetProcAddress(dll, MAKEINTRESOURCEA(4)) == NULL, "no fourth export");
    if (size == NULL || compact == NULL || extract == NULL) return 1;

    expect(qx_write_screenshot("screen.bmp") == 0, "the screenshot is written");
    expect(compact(0, "screen.bmp", "screen.qxr") == 0, "nfCompacte packs the screenshot");
    expect(file_size("screen.qxr") > 0 && file_size("screen.qxr") < file_size("screen.bmp") / 4,
           "the screenshot packs to less than a quarter");
    expect(size(0, "screen.qxr") == file_size("screen.qxr"), "lfTailleCompacte gives the archive's length");

    HWND window = active_window();
    expect(extract(0, 0, "screen.qxr", "screen.out") == 0, "nfDecompacte unpacks the screenshot");
    expect(same_files("screen.bmp", "screen.out"), "the unpacked screenshot equals the original");
    if (window != NULL && GetActiveWindow() == window) {
        MSG message;
        int told = PeekMessageA(&message, window, kExtractedMessage, kExtractedMessage, PM_REMOVE);
        expect(told && message.wParam == 100 && message.lParam == 0,
               "the active window is told of the extraction (WM_USER + 150, 100, 0)");
        DestroyWindow(window);
    } else {
        expect(!needsWindow, "a window of the caller is active");
        printf("no active window here: the extraction message is not checked\n");
    }
    FreeLibrary(dll);
    printf("%s\n", g_failed == 0 ? "caller: all checks passed" : "caller: checks failed");
    return g_failed == 0 ? 0 : 1;
}
