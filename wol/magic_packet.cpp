// MAC text to the Wake-on-LAN magic packet. Pure: any bytes in, never a fault.
#include "wol/magic_packet.h"

#include <string>

#include "wol/number_text.h"

bool ParseMacText(std::string_view text, MacAddress& mac) {
    const std::string digits = ReplaceText(ReplaceText(text, ":", ""), "-", "");
    if (TextLength(digits) != 12) {
        return false;
    }
    // One conversion variable for all six pairs, set once: a pair that does not convert leaves
    // the previous pair's value in it, and that value's low byte becomes this pair's byte.
    std::int32_t converted = 0;
    for (std::size_t pair = 0; pair < mac.size(); ++pair) {
        const std::int32_t start = 1 + 2 * static_cast<std::int32_t>(pair);
        ConvertNumberText(JoinText({"0x", TextMid(digits, start, 2)}), converted);
        mac[pair] = static_cast<std::uint8_t>(converted & 0xFF);
    }
    return true;
}

Bytes BuildMagicPacket(const MacAddress& mac) {
    Bytes packet;
    packet.reserve(kMagicPacketLength);
    packet.assign(6, 0xFF);
    for (int copy = 0; copy < 16; ++copy) {
        packet.insert(packet.end(), mac.begin(), mac.end());
    }
    return packet;
}

Bytes MagicPacketFromText(std::string_view text) {
    MacAddress mac{};
    if (!ParseMacText(text, mac)) {
        return {};
    }
    return BuildMagicPacket(mac);
}
