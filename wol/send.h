// The send command: one magic packet, one UDP datagram, one message, then the profiles saved.
#pragma once

#include <cstdint>
#include <string>

// The click on 按钮1 ("发送WOL"). LAN mode sends to the LAN broadcast, WAN mode to the host and
// port boxes; with neither radio button checked nothing happens. Every attempt ends with the
// profiles saved, unless the window was closed while the send ran its pending events.
void SendCommand();

// Runs the window events already queued, then sends the packet of MAC框's text to the host and
// port and reports the outcome. An empty host is the LAN broadcast 255.255.255.255 on the default
// wake port; otherwise the port's low 16 bits, or the default wake port where they give none.
// Without a wake socket nothing happens at all. Gives false when the main window was closed while
// the queued events ran (nothing is sent or shown then), true otherwise.
bool SendWake(const std::string& host, std::int32_t port);

// The IPv4 address (network byte order) for a non-empty host text: a dotted text is used as it
// is; any other text is looked up, and a failed lookup gives 255.255.255.255.
std::uint32_t ResolveHostAddress(const std::string& host);

// The first IPv4 address of the name as dotted text, or the empty text when the lookup fails.
std::string LookUpAddressText(const std::string& name);
