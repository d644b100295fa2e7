// The main window on Win32, as the rest of the Win32 window layer sees it: the entry sequence
// creates, shows and runs it; the control seam and the dialogs reach its controls through it.
//
// Layout pixels are those of a 96-DPI screen; the window scales them to the DPI of the monitor it
// is on and scales screen pixels back when the handlers read a size.
#pragma once

#include "core/windows_api.h"

#include <commctrl.h>

#include "ui/controls.h"

// Creates the main window and every control of the layout, all hidden. False when the system
// refuses a window; nothing is shown then.
bool CreateMainWindow(HINSTANCE instance);

// Shows the main window for the first time.
void ShowMainWindow(int showCommand);

// Runs the event loop until the main window has been destroyed; gives the process's exit code.
int RunEventLoop();

// The window of a control (the main window itself for Ctl::主窗口); null once it is destroyed.
HWND ControlWindow(Ctl control);

// Layout pixels to screen pixels and back, at the main window's current DPI.
int ToScreenPixels(int layoutPixels);
int ToLayoutPixels(int screenPixels);

// A control's width in layout pixels, and setting it; its place and height stay. For the main
// window this is the outer width, and the layout's frame allowance stands for the system's real
// frame, so the client area is always as wide as the layout's.
int LayoutWidth(Ctl control);
void SetLayoutWidth(Ctl control, int layoutWidth);

// Shows or hides a control. A control on a page of the tab control shows only while its page is
// current; a control inside a hidden group box is hidden with it.
void SetControlVisible(Ctl control, bool visible);

// Dispatches the messages already queued; false once the main window is gone.
bool DispatchQueuedMessages();

// Dispatches messages as they come for about the given time; false, at once, when the main window
// goes meanwhile.
bool DispatchMessagesFor(DWORD milliseconds);
