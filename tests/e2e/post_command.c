/* From another process, finds the order helper's host dialog (the "#32770" window with a 415x450 client area), or
   exits with 1. "post_command ID" posts WM_COMMAND with ID; ID 0 instead invalidates the whole window, as another
   window uncovering it would. "post_command FIELD TEXT..." sets each text in that field, caret at its end, and prints
   "x text": where the first character then stands in the field (x < 0: scrolled out of sight). */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

static HWND host;

static BOOL CALLBACK FindHost(HWND window, LPARAM)
{
    char name[16];
    RECT client;
    if (GetClassNameA(window, name, sizeof name) && !lstrcmpA(name, "#32770") && GetClientRect(window, &client) &&
        client.right == 415 && client.bottom == 450)
        host = window;
    return !host;
}

int main(int argc, char** argv)
{
    EnumWindows(FindHost, 0);
    if (!host || argc < 2)
        return 1;
    int id = atoi(argv[1]);
    HWND field = GetDlgItem(host, id);
    if (argc == 2)
        return !(id ? PostMessageA(host, WM_COMMAND, (WPARAM)id, 0) : InvalidateRect(host, NULL, TRUE));
    for (int i = 2; i < argc && field; ++i) {
        SendMessageA(field, WM_SETTEXT, 0, (LPARAM)argv[i]);
        SendMessageA(field, EM_SETSEL, lstrlenA(argv[i]), lstrlenA(argv[i]));
        SendMessageA(field, EM_SCROLLCARET, 0, 0);
        printf("%d %s\n", (short)LOWORD(SendMessageA(field, EM_POSFROMCHAR, 0, 0)), argv[i]);
    }
    return !field;
}
