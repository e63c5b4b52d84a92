/* A stranger's DLL beside the order helper, copied there as winmm.dll and as crtdll.dll: loaded, it leaves
   "planted-NAME-loaded" in the current folder, NAME being the file it came from. */
#define WIN32_LEAN_AND_MEAN   /* no mmsystem.h, which declares the real PlaySoundA */
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    char path[MAX_PATH], mark[MAX_PATH + 16];
    if (reason == DLL_PROCESS_ATTACH) {
        const char* name = path + GetModuleFileNameA(self, path, MAX_PATH);
        while (name > path && name[-1] != '\\')
            --name;
        lstrcat(lstrcat(lstrcpy(mark, "planted-"), name), "-loaded");
        CloseHandle(CreateFileA(mark, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));
    }
    return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI PlaySoundA(LPCSTR, HMODULE, DWORD) { return TRUE; }
