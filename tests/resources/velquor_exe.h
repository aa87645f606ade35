#pragma once
#include <string>

// Path of the built Velquor.exe as the running test program must open it.
std::string VelquorExePath();
