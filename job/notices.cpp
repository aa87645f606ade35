#include "job/notices.h"

#include "app/ansi_text.h"
#include "job/notice_text.h"

#include <windows.h>

static void ShowMessage(std::string_view text, UINT style) {
    MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(NoticeTitle).c_str(), style);
}

void ShowNotice(std::string_view text) {
    ShowMessage(text, MB_OK);
}

void ShowError(std::string_view text) {
    ShowMessage(text, MB_OK | MB_ICONERROR);
}
