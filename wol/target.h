// Where a wake packet goes: the host text and the port number turned into a destination.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// UDP port used when the port number gives none (0 or below, or low 16 bits of 0): the port the
// tool itself names as its default ("端口,默认9"), the usual Wake-on-LAN "discard" port.
constexpr std::uint16_t kDefaultWakePort = 9;

// Four "."-separated pieces, each a number from 0 to 255 (a piece without digits counts as 0).
bool IsDottedQuad(std::string_view text);

// The destination port for a port number: its low 16 bits when it is above 0 and they are not 0,
// otherwise kDefaultWakePort.
std::uint16_t DestinationPort(std::int32_t port);
