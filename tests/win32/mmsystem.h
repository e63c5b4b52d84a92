// Empty: the windows.h stand-in, included first, declares what the program takes from here.
