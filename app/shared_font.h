#pragma once
#include <windows.h>

// A GDI font that several controls, of one or several dialogs, use at once. It is created when
// it is first given to a control and deleted when the last dialog using it has been destroyed.
struct SharedFont {
    const wchar_t* face;
    int points;
    int weight;
    HFONT handle;
    int users;
};

// Gives font to control (creating it first, sized for the control's screen, when it does not
// exist yet) and counts the control as a user until its dialog is destroyed. A missing control
// or a font that cannot be created leaves the control as it was.
void GiveSharedFont(HWND control, SharedFont& font);

// Takes one user away; the font is deleted when none is left.
void ReleaseSharedFont(SharedFont& font);
