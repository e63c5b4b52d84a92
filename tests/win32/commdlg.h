// Stand-in: everything the program uses is declared in the windows.h stand-in.
#pragma once
#include <windows.h>
