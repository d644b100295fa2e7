// Where a wake packet goes: the dotted-address test and the destination port. Pure.
#include "wol/target.h"

#include "core/text.h"

bool IsDottedQuad(std::string_view text) {
    const std::vector<std::string> pieces = SplitText(text, ".");
    if (ListCount(pieces) != 4) {
        return false;
    }
    for (const std::string& piece : pieces) {
        const std::int32_t number = ToInteger(piece);
        if (number < 0 || number > 255) {
            return false;
        }
    }
    return true;
}

std::uint16_t DestinationPort(std::int32_t port) {
    // Port 0 is no destination: Windows accepts such a datagram and drops it unsent, Linux refuses
    // it. What would give 0 goes to the default wake port instead.
    const auto low = static_cast<std::uint16_t>(static_cast<std::uint32_t>(port) & 0xFFFFu);
    return port > 0 && low != 0 ? low : kDefaultWakePort;
}
