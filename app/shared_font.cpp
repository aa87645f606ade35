#include "app/shared_font.h"

#include "app/dialog_machinery.h"
#include "app/font_height.h"

#include <cwchar>

namespace {

constexpr int StandardDotsPerInch = 96;

// The height follows the screen the control is shown on, read from the control's own DC.
int HeightOnScreenOf(HWND control, int points) {
    HDC context = GetDC(control);
    const int dotsPerInch = context ? GetDeviceCaps(context, LOGPIXELSY) : StandardDotsPerInch;
    if (context)
        ReleaseDC(control, context);
    return FontHeightForPoints(points, dotsPerInch);
}

HFONT CreateSharedFont(HWND control, const SharedFont& font) {
    LOGFONTW description = {};
    description.lfHeight = HeightOnScreenOf(control, font.points);
    description.lfWeight = font.weight;
    description.lfCharSet = ANSI_CHARSET;
    wcsncpy(description.lfFaceName, font.face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&description);
}

} // namespace

void GiveSharedFont(HWND control, SharedFont& font) {
    if (!control)
        return;
    if (!font.handle)
        font.handle = CreateSharedFont(control, font);
    if (!font.handle)
        return;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.handle), TRUE);
    ++font.users;
    KeepFontUseUntilDestroyed(GetParent(control), font);
}

void ReleaseSharedFont(SharedFont& font) {
    if (--font.users > 0)
        return;
    DeleteObject(font.handle);
    font.handle = nullptr;
    font.users = 0;
}
