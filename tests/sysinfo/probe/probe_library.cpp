// libQXPROBE.so: a library with the product prefix for the probe to load.
extern "C" int QxProbeAnswer()
{
    return 42;
}
