// The process entry of every driver's program: hands over to the program's
// WinMain as the window system would, with no command line.
#include "platform/win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

int main() { return WinMain(GetModuleHandleA(nullptr), nullptr, nullptr, SW_SHOWDEFAULT); }
