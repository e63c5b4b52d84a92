// Process start: the entry point, and the system DLLs taken from the system
// folder only, so that a DLL of the same name lying beside the program (in a
// Downloads folder, say) never runs.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int);

namespace {

// Looked up, never imported: Windows before 8 (7 without its update) lacks
// it, and an import the loader cannot find stops the program from starting.
using SetDefaultDllDirectoriesProc = BOOL(WINAPI*)(DWORD);
constexpr DWORD SearchSystemFolderOnly = 0x800;   // LOAD_LIBRARY_SEARCH_SYSTEM32

}  // namespace

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
