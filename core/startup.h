// Start-up and shutdown of the window's work: sockets, the wake socket, the profile file's path,
// the profiles and the first layout; and the save when the window goes.
#pragma once

// Runs once when the main window and all its controls exist, before the user can act on them.
void OnMainWindowCreated();

// Opens WakeSocket: an IPv4 UDP socket with broadcast on, bound to 0.0.0.0 port 0. Shows
// "创建 Socket 失败！" when no socket can be made, "启动 Socket 失败！" when it cannot be bound.
void OpenWakeSocket();

// Runs once when the user has closed the main window, before it is destroyed.
void OnMainWindowDestroying();
