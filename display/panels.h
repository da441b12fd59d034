// The value labels beside the source and the load.
#pragma once

#include "app/win.h"

void DrawSourcePanel(HDC hdc, int width, int height, int lineHeight);
void DrawLoadPanel(HDC hdc, int width, int height);
