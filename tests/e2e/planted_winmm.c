/* A stranger's winmm.dll beside the order helper: loaded, it leaves "planted-winmm-loaded" in the current folder. */
#define WIN32_LEAN_AND_MEAN   /* no mmsystem.h, which declares the real PlaySoundA */
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        CloseHandle(CreateFileA("planted-winmm-loaded", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI PlaySoundA(LPCSTR, HMODULE, DWORD) { return TRUE; }
