/* lstdll16.exe as a Windows program: writes the list of loaded 16-bit DLLs,
   pairs of lines, into the file named by its first argument. */
#include <stdio.h>

int main(int argc, char** argv)
{
    if (argc < 2) return 2;
    FILE* list = fopen(argv[1], "wb");
    if (list == NULL) return 3;
    fputs("QXRT16.DLL\r\n5.50           x1\r\nUSER.EXE\r\n3.10           x2\r\n", list);
    return fclose(list) == 0 ? 0 : 4;
}
