// Delay loading: the C runtime, print dialog, sound and shell DLLs load on
// their first call, each from the system folder by its full path, so that a
// DLL of the same name lying beside the program (in a Downloads folder, say)
// never runs. Every delay-loaded call goes through a loader stub that comes
// here once, to find the function and put it in the call's slot.
#include <windows.h>

#include <delayimp.h>   // after windows.h, which it needs

// The program's own image, where the linker put the tables this reads.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

template <typename T>
T* InImage(RVA offset)
{
    return reinterpret_cast<T*>(reinterpret_cast<BYTE*>(&__ImageBase) + offset);
}

// Ends the program as any unresolved delay-loaded call does: an exception
// carrying what was asked for, which nothing here catches.
[[noreturn]] void Fail(DWORD error, DelayLoadInfo& info)
{
    info.dwLastError = GetLastError();
    ULONG_PTR failed[] = {reinterpret_cast<ULONG_PTR>(&info)};
    RaiseException(VcppException(ERROR_SEVERITY_ERROR, error), 0, 1, failed);
    ExitProcess(1);   // not reached: an unhandled error exception does not return
}

// By its full path in the system folder, never by the bare name, which the
// system would look for beside the program first. There is no second try by
// the bare name: a DLL missing from the system folder fails the call.
// This runs while the C runtime itself is being loaded, so it and all it
// calls use kernel32 only: a C runtime call here (strlen, memcpy, or one the
// compiler makes of a loop) would come back here for the same DLL, without
// end.
HMODULE LoadFromSystemFolder(LPCSTR dll)
{
    char path[MAX_PATH];
    const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
    if (!folder || folder + 1 + static_cast<UINT>(lstrlenA(dll)) >= MAX_PATH)
        return nullptr;
    path[folder] = '\\';
    lstrcpyA(path + folder + 1, dll);
    return LoadLibraryA(path);
}

// Newer linkers make the import table read-only, as the loader leaves it
// once it has filled in the DLLs imported outright: the slot's page is made
// writable for the one store, then set back as it was.
void StoreInSlot(FARPROC* slot, FARPROC function)
{
    DWORD was = 0;
    const BOOL unprotected = VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was);
    *slot = function;
    if (unprotected)
        VirtualProtect(slot, sizeof *slot, was, &was);
}

}  // namespace

// Called by the linker's loader stubs (the name and convention are theirs),
// with the DLL's delay-import descriptor and the slot of the function called.
// The slots and the name table run in the same order.
extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr import, FARPROC* slot)
{
    auto* const module = InImage<HMODULE>(import->rvaHmod);
    const IMAGE_THUNK_DATA& entry = InImage<IMAGE_THUNK_DATA>(import->rvaINT)[slot - InImage<FARPROC>(import->rvaIAT)];
    DelayLoadInfo info = {sizeof info, import, slot, InImage<const char>(import->rvaDLLName), {}, *module, nullptr, 0};
    info.dlp.fImportByName = !IMAGE_SNAP_BY_ORDINAL(entry.u1.Ordinal);
    if (info.dlp.fImportByName)
        info.dlp.szProcName = reinterpret_cast<LPCSTR>(InImage<IMAGE_IMPORT_BY_NAME>(entry.u1.AddressOfData)->Name);
    else
        info.dlp.dwOrdinal = IMAGE_ORDINAL(entry.u1.Ordinal);
    if (!*module) {
        *module = LoadFromSystemFolder(info.szDll);
        if (!*module)
            Fail(ERROR_MOD_NOT_FOUND, info);
        info.hmodCur = *module;
    }
    info.pfnCur = GetProcAddress(*module, info.dlp.szProcName);   // an ordinal passes as a name below 64K
    if (!info.pfnCur)
        Fail(ERROR_PROC_NOT_FOUND, info);
    StoreInSlot(slot, info.pfnCur);
    return info.pfnCur;
}
