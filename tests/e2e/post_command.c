/* Posts WM_COMMAND with the id given on the command line to the order helper's host dialog,
   the "#32770" window with a 415x450 client area; exits with 1 when there is none. Id 0 instead
   invalidates the whole window, as another window uncovering it would. */
#include <windows.h>
#include <stdlib.h>

static BOOL posted;

static BOOL CALLBACK PostToHost(HWND window, LPARAM id)
{
    char name[16];
    RECT client;
    if (GetClassNameA(window, name, sizeof name) && !lstrcmpA(name, "#32770") && GetClientRect(window, &client) &&
        client.right == 415 && client.bottom == 450)
        posted = id ? PostMessageA(window, WM_COMMAND, (WPARAM)id, 0) : InvalidateRect(window, NULL, TRUE);
    return !posted;
}

int main(int argc, char** argv)
{
    if (argc == 2)
        EnumWindows(PostToHost, atoi(argv[1]));
    return !posted;
}
