// Process start: the entry point, and the system DLLs taken from the system
// folder only, so that a DLL of the same name lying beside the program (in a
// Downloads folder, say) never runs.
#include <windows.h>

#include <delayimp.h>   // after windows.h, which it needs

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int);

namespace {

// Looked up, never imported: Windows before 8 (7 without its update) lacks
// it, and an import the loader cannot find stops the program from starting.
using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
constexpr DWORD SearchSystemFolderOnly = 0x800;   // LOAD_LIBRARY_SEARCH_SYSTEM32

// The C runtime, print dialog, sound and shell DLLs load on first use, and by
// their bare names the system would look in the program's folder first: each
// is loaded here by its full path. There is no second try by the bare name: a
// DLL missing from the system folder fails as the delay-load helper fails any
// DLL it cannot load.
// This hook runs while the C runtime itself is being loaded, so it and all it
// calls use kernel32 only: a C runtime call here (strlen, memcpy, or one the
// compiler makes of a loop) would come back into the hook for the same DLL,
// without end.
FARPROC WINAPI LoadFromSystemFolder(unsigned notification, PDelayLoadInfo info)
{
    if (notification != dliNotePreLoadLibrary)
        return nullptr;
    char path[MAX_PATH];
    const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
    HMODULE module = nullptr;
    if (folder && folder + 1 + static_cast<UINT>(lstrlenA(info->szDll)) < MAX_PATH) {
        path[folder] = '\\';
        lstrcpyA(path + folder + 1, info->szDll);
        module = LoadLibraryA(path);
    }
    if (!module) {
        ULONG_PTR failed[] = {reinterpret_cast<ULONG_PTR>(info)};
        RaiseException(VcppException(ERROR_SEVERITY_ERROR, ERROR_MOD_NOT_FOUND), 0, 1, failed);
    }
    return reinterpret_cast<FARPROC>(module);
}

}  // namespace

// The delay-load helper asks this hook before it loads a DLL (declared C in
// delayimp.h).
PfnDliHook __pfnDliNotifyHook2 = LoadFromSystemFolder;

// The process starts here, without a C runtime start-up of its own: the C
// runtime DLL sets itself up as it loads, at the first allocation, and the
// program has no static constructors (the link fails if one appears). Before
// anything else, where the system offers it, every DLL the process loads by
// name, the system's own loads for the print dialog and the shell included,
// comes from the system folder only.
extern "C" void ProgramEntry()
{
    const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories");
    if (found)
        reinterpret_cast<SetDefaultDllDirectoriesProc>(reinterpret_cast<void (*)()>(found))(SearchSystemFolderOnly);
    // The program takes no arguments and picks its own window placement.
    ExitProcess(WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOWDEFAULT));
}
