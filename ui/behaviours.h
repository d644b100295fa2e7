// Behaviours of the main window that belong to no command: the narrow and wide layout, the help
// panel, the change of page and the LAN/WAN mode.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Wide: 分组框 gets its full width and the usage panel or the result list shows. Narrow: 296. The
// window's outer width follows: 分组框's width plus the frame's 6.
void SetWindowWide(bool wide);

// 按钮2 ("帮助"): narrow when wide, wide when narrow.
void ToggleHelpPanel();

// The user changed the page: page 0 is shown narrow; page 1 gets the subnet prefix of the
// computer's first own address and is shown wide.
void ApplyTabPage();

// Shows the host and port group in WAN mode, hides it in LAN mode.
void ApplyNetworkMode();

// The address up to and including its last "."; no "." gives the empty text.
std::string SubnetPrefixOf(std::string_view address);

// The computer's own IPv4 addresses as dotted texts, in the order its name resolves to them, at
// most 10.
std::vector<std::string> LocalAddressList();
