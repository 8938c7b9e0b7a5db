// Entry point of Tarvolin.exe; the application object takes over from here.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
