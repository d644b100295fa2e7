// Routes the window's events to the command handlers. The Win32 window turns its notifications
// into these calls; the tests make the same calls to act as the user.
#pragma once

#include "ui/controls.h"

enum class UiEvent {
    Clicked,            // a button or radio button (already checked by the time it arrives)
    ItemPicked,         // the user picked an item of the drop-down list
    PageChanged,        // the user made another page of the tab control current
    CurrentRowChanged,  // another row of the list view became the current one
};

void DispatchEvent(Ctl control, UiEvent event);
