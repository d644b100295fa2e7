// Asking the network for the hardware address of an IPv4 host, as SendARP does.
#pragma once

#include <cstdint>

// Asks for the MAC address of the host at address (network byte order) and blocks until it answers
// or the system gives up (about 3 s for a silent address). True when mac holds the answer.
bool RequestHardwareAddress(std::uint32_t address, std::uint8_t (&mac)[6]);
