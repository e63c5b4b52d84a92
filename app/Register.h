// The application object: owns the current page, runs the host dialog,
// carries out the commands and switches the pages.
#pragma once

#include <windows.h>

class CPage;
class CPage2;

class Register {
public:
    Register();
    ~Register();
    Register(const Register&) = delete;
    Register& operator=(const Register&) = delete;

    void Run();
    void Shutdown();

    INT_PTR OnInitDialog(HWND window);
    void OnPaint();
    INT_PTR OnCommand(WORD identifier);
    void OnMouseMove(int x, int y);
    void OnLButtonDown(int x, int y);
    void OnLButtonUp(int x, int y);

    void ShowTopicsPage();
    void ShowPhonePage();
    void ShowOrderPage();
    void OpenOnlineOrderPage();

    CPage* page;
    HINSTANCE instance;
    HWND parentWindow;
    HWND dialogWindow;

private:
    void PlayCue(int cue) const;
    void DeletePage();
    void ShowNewPage();
    void RunOrderOperation(void (*operation)(CPage2*));
    bool HoldDuringOperation(WORD identifier);

    // The current page when it is the order form, else null: its commands
    // reach only a real order form, whatever else sends the same ids.
    CPage2* orderForm;

    // While a save or print runs, its boxes leave the host open to commands
    // from elsewhere; those that would delete the form wait here (0: none).
    bool operationRunning;
    WORD heldCommand;

    struct CommandRow;
    static const CommandRow Commands[];
};

INT_PTR CALLBACK RegisterDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
