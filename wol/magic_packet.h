// MAC text to the Wake-on-LAN magic packet.
//
// The text may separate its six hexadecimal pairs with ":" and "-" anywhere, in any mix, or not at
// all; after removing them exactly 12 bytes must remain. The characters themselves are not tested.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/text.h"

using MacAddress = std::array<std::uint8_t, 6>;

constexpr std::int32_t kMagicPacketLength = 102;

// Reads six bytes from the text. False when not exactly 12 bytes remain after the separators.
bool ParseMacText(std::string_view text, MacAddress& mac);

// Six bytes FF, then the six MAC bytes sixteen times: 102 bytes.
Bytes BuildMagicPacket(const MacAddress& mac);

// Both steps: the packet, or no bytes for a text that gives no MAC.
Bytes MagicPacketFromText(std::string_view text);
