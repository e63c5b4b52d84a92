/* The program's delay-load helper without the limit its entry point puts on the DLL search, as on Windows before 8:
   beside a stranger's winmm.dll, PlaySoundA must still come from the system folder's. */
#include <windows.h>
#include <mmsystem.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return !PlaySoundA(NULL, NULL, SND_ASYNC); }
