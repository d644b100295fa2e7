// The send command: one magic packet, one UDP datagram, one message, then the profiles saved.
#pragma once

#include <cstdint>
#include <string>

// The click on 按钮1 ("发送WOL").
void SendCommand();

// Sends the packet of MAC框's text to the host (empty: the LAN broadcast 255.255.255.255) and
// port, and reports the outcome.
void SendWake(const std::string& host, std::int32_t port);

// The IPv4 address (network byte order) for a non-empty host text: a dotted text is used as it
// is; any other text is looked up, and a failed lookup gives 255.255.255.255.
std::uint32_t ResolveHostAddress(const std::string& host);

// The first IPv4 address of the name as dotted text, or the empty text when the lookup fails.
std::string LookUpAddressText(const std::string& name);
