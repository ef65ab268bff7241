// Program entry of Appdeck.exe.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MessageBoxW(nullptr, L"Appdeck", L"Appdeck", MB_OK);
    return 0;
}
