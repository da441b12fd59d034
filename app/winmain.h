// The program's entry as the window system calls it.
#pragma once

#include "app/win.h"

int WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
