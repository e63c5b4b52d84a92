// Program entry: run the host dialog and return 0 whatever happened.
#include <windows.h>

#include "app/Register.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Register app;
    app.instance = instance;
    app.parentWindow = nullptr;
    app.Run();
    return 0;
}
