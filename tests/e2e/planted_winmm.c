/* A stranger's winmm.dll, as it could lie beside the order helper in a Downloads folder. Loaded, it leaves the
   file "planted-winmm-loaded" in the current folder; its PlaySoundA plays nothing. */
#define WIN32_LEAN_AND_MEAN   /* no mmsystem.h, which declares the real PlaySoundA */
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        CloseHandle(CreateFileA("planted-winmm-loaded", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI PlaySoundA(LPCSTR, HMODULE, DWORD)
{
    return TRUE;
}
