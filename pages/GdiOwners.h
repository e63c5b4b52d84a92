// Small owners for GDI resources whose release must not be forgotten:
// a selection undone on scope exit, a memory DC, a pen, a window DC.
#pragma once

#include <windows.h>

class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc(dc), previous(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc, previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc;
    HGDIOBJ previous;
};

class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { DeleteDC(dc); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc; }

private:
    HDC dc;
};

class WindowDC {
public:
    explicit WindowDC(HWND window) : window(window), dc(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window, dc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc; }

private:
    HWND window;
    HDC dc;
};

class Pen {
public:
    Pen(int width, COLORREF color) : pen(CreatePen(PS_SOLID, width, color)) {}
    ~Pen() { DeleteObject(pen); }
    Pen(const Pen&) = delete;
    Pen& operator=(const Pen&) = delete;
    operator HGDIOBJ() const { return pen; }

private:
    HPEN pen;
};

// A font description that is all zero but the cell height, bold, and Arial:
// every font of the program is made from one of these.
inline HFONT CreateBoldArial(int cellHeight)
{
    LOGFONTA font{};
    font.lfHeight = cellHeight;
    font.lfWeight = FW_BOLD;
    const char face[] = "Arial";
    for (unsigned i = 0; i < sizeof face; ++i)
        font.lfFaceName[i] = face[i];
    return CreateFontIndirectA(&font);
}
