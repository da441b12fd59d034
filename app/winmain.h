// The program's entry as the window system calls it.
#pragma once

#include "platform/win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);
