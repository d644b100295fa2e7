// Start-up and shutdown of the window's work.
#include "core/startup.h"

#include "core/files.h"
#include "core/socket.h"
#include "core/state.h"
#include "profiles/profiles.h"
#include "ui/behaviours.h"
#include "ui/controls.h"
#include "ui/dialogs.h"

void OpenWakeSocket() {
    WakeSocket = OpenUdpSocket();
    if (WakeSocket <= 0) {
        ShowMessage("创建 Socket 失败！");
        return;
    }
    EnableBroadcast(WakeSocket);
    if (!BindToAnyAddress(WakeSocket)) {
        CloseSocket(WakeSocket);
        WakeSocket = 0;
        ShowMessage("启动 Socket 失败！");
    }
}

void OnMainWindowCreated() {
    StartSockets();
    OpenWakeSocket();
    ConfigFilePath = JoinText({RunDirectory(), kPathSeparator, "wol.ini"});
    LoadProfiles();
    // The window is laid out wide; remember that width, then show only the left column.
    FullPanelWidth = Width(Ctl::分组框);
    SetWindowWide(false);
}

void OnMainWindowDestroying() {
    SaveProfiles();
}
