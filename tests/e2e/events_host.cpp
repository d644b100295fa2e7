// The real main window with handlers of this program's own, for the driver's "event-processing"
// scenario: a click on "扫描" runs a loop that waits while window events run, as the scan's
// dispatch loop does, until the window is closed; "停止" clicked during the loop shows that it
// reached its handler. What happened, in order, goes to events.txt beside this program when it
// ends, one line each.
#include <string>

#include "core/files.h"
#include "core/text.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/window_win.h"

namespace {

std::string happened;

void Record(const char* what) {
    happened += what;
    happened += "\n";
}

}  // namespace

void OnMainWindowCreated() {
    Record("created");
}

void OnMainWindowDestroying() {
    Record("destroying");
}

void DispatchEvent(Ctl control, UiEvent event) {
    if (event != UiEvent::Clicked) {
        return;
    }
    if (control == Ctl::按钮5) {
        Record("stop clicked");
        SetText(Ctl::编辑框_所选IP, "stop clicked");
        return;
    }
    if (control != Ctl::按钮4) {
        return;
    }
    Record("loop started");
    std::int32_t passes = 0;
    while (ProcessPendingEvents() && WaitProcessingEvents(50)) {
        SetText(Ctl::标签_进度条, NumberToText(++passes));
    }
    // The window is gone: nothing here may touch it again.
    Record("loop ended");
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    InitCommonControls();
    if (!CreateMainWindow(instance)) {
        return 1;
    }
    OnMainWindowCreated();
    ShowMainWindow(showCommand);
    const int code = RunEventLoop();
    Record("event loop ended");
    WriteWholeFile(JoinText({RunDirectory(), kPathSeparator, "events.txt"}), ToBytes(happened));
    return code;
}
