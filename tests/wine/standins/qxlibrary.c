/* QXRT32.DLL and QXKERN.DLL: libraries of the environment with nothing in
   them but their version. */
__declspec(dllexport) int QxLibraryVersion(void)
{
    return 550;
}
