/* ORVANE55.EXE: the environment as it runs under Wine. It loads its two QX
   libraries, says "ready" and waits until its input ends. */
#include <stdio.h>
#include <windows.h>

int main(void)
{
    HMODULE runtime = LoadLibraryA("QXRT32.DLL");
    HMODULE kernel = LoadLibraryA("QXKERN.DLL");
    if (runtime == NULL || kernel == NULL) return 1;
    printf("ready\n");
    fflush(stdout);
    while (getchar() != EOF) {
    }
    return 0;
}
