#include "app/program_entry.h"

#include "app/dialog_machinery.h"
#include "app/main_window.h"
#include "app/pump_hook.h"
#include "app/settings.h"
#include "ordering/system_lowercase_win32.h"

#include <commctrl.h>

namespace {

using InitCommonControlsExFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

// Asks for every class family the program could draw with. The extended call is looked up at run
// time because an old comctl32 lacks it; then the plain call registers what that one has.
void InitialiseCommonControls() {
    HMODULE library = LoadLibraryA("COMCTL32.DLL");
    if (!library)
        return;
    // Through the generic function type: GetProcAddress's own type does not match the export's.
    const auto initialiseEx = reinterpret_cast<InitCommonControlsExFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "InitCommonControlsEx")));
    if (initialiseEx) {
        INITCOMMONCONTROLSEX classes = {sizeof(INITCOMMONCONTROLSEX),
                                        ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
        initialiseEx(&classes);
    } else {
        InitCommonControls();
    }
    FreeLibrary(library);
}

} // namespace

int ProgramEntry(HINSTANCE, HINSTANCE, LPSTR, int) {
    InitialiseCommonControls();
    ApplyDefaultSettings();
    UseSystemLowerCasing();
    // A running sort lets one window message through between its passes.
    PumpHook = PumpOneMessage;
    ShowMainWindow(nullptr);
    return 0;
}
