#pragma once

// Rebuilds the character ranks from the running system's lower-casing of every byte, so that an
// ANSI code page other than Windows-1252 is followed. Called once at program start.
void UseSystemLowerCasing();
