// The in-memory window of the handler tests: it implements the control seam (ui/controls.h) and
// the dialogs (ui/dialogs.h), starts from the layout's initial state like the real window, and
// lets a test act as the user: click, pick, change page, answer dialogs, close the window.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace fake {

struct ControlState {
    std::string text;
    bool checked = false;
    bool visible = true;
    std::int32_t width = 0;
    std::vector<std::string> items;              // drop-down list
    std::vector<std::vector<std::string>> rows;  // list view
    std::int32_t selection = -1;                 // drop-down list item or list view row
    std::int32_t progressMaximum = 100;
    std::int32_t progressPosition = 0;
    std::int32_t page = 0;  // tab control
};

// What one call of the name dialog was shown with.
struct NameDialogCall {
    std::string prompt;
    std::string caption;
    std::string initialText;
};

// How the user answers the next name dialog.
struct NameDialogAnswer {
    bool ok;           // OK (true) or Cancel (false)
    std::string text;  // the field's text when OK is pressed
};

struct Window {
    ControlState controls[static_cast<int>(Ctl::Count)];
    bool closed = false;

    std::vector<std::string> messages;  // every message box shown, in order
    std::vector<NameDialogCall> nameDialogs;
    std::deque<NameDialogAnswer> nameAnswers;  // an unanswered dialog is cancelled

    // Events the user "makes" while a handler processes window events: each runs once, at the
    // next ProcessPendingEvents or WaitProcessingEvents.
    std::deque<std::function<void()>> pendingEvents;
    // Runs at every WaitProcessingEvents, after the wait, with the number of waits so far (1 for
    // the first); lets a test act at a given pass of a loop.
    std::function<void(int waits)> onWait;
    int waits = 0;
    std::vector<std::uint32_t> waitDurations;
    int pendingEventRuns = 0;  // calls of ProcessPendingEvents
};

// The window of the current test; ResetWindow gives it the layout's initial state.
Window& TheWindow();
void ResetWindow();
ControlState& State(Ctl control);

// The user's actions. Each runs the handler the real window would run.
void Click(Ctl control);  // a radio button is checked (and its partner unchecked) first
void PickItem(Ctl control, std::int32_t index);
void SelectRow(Ctl control, std::int32_t row);
void ChangePage(std::int32_t page);
// Closing the window: OnMainWindowDestroying runs, and from then on event processing says so.
void CloseWindow();

}  // namespace fake
