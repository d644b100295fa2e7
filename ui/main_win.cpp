// The program's entry: start the common controls, register the clean-up of the shared state,
// create the main window, run its start-up work before the user sees it, then the event loop.
#include <cstdlib>

#include "core/startup.h"
#include "core/state.h"
#include "ui/window_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS;
    InitCommonControlsEx(&controls);

    // ProfileList and the scan results are process-wide variables (core/state.cpp): they exist,
    // empty, before this line runs. They are freed once the event loop has ended.
    std::atexit(ReleaseSharedState);

    if (!CreateMainWindow(instance)) {
        return 1;
    }
    // The window is still hidden: the user never sees it before the narrowing.
    OnMainWindowCreated();
    ShowMainWindow(showCommand);
    return RunEventLoop();
}
