#pragma once
#include <windows.h>

// The program proper: initialises the common controls and the settings, then runs the main
// window until it has been destroyed. Takes nothing from its arguments; returns 0.
int ProgramEntry(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine, int showCommand);
