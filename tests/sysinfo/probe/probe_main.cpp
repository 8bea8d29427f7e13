// QXPROBE: a running program with the product prefix. It loads libQXPROBE.so,
// says "ready" on its output and runs until its input is closed.
#include <cstdio>
#include <unistd.h>

extern "C" int QxProbeAnswer();

int main()
{
    std::printf("ready %d\n", QxProbeAnswer());
    std::fflush(stdout);
    char byte;
    while (::read(0, &byte, 1) > 0) {
    }
    return 0;
}
